// The browser window brwPaises as data: caption, size, window settings and its controls in tab
// order. Either toolkit builds the window from it.
#pragma once

#include "contracts/ui/form_definition.h"

namespace mundor::browser {

const ui::FormDefinition& BrwPaisesForm();

}  // namespace mundor::browser
