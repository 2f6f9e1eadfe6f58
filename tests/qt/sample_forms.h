// Two small forms used only by these tests and the screenshot program: an edit dialog laid out
// like the component's country dialog, and a browser with a tree and a button array.
#pragma once

#include <string>

#include "contracts/ui/ui.h"

namespace mundor::ui::qt::testing {

// "dlgPrueba": the code (max 8, upper case), area-code (title 70%) and name fields, OK and
// Cancel buttons and the module banner; 4440 x 1815 twips, centred on its owner.
FormDefinition SampleDialogForm(std::u16string name = u"dlgPrueba");

// "brwPrueba": close button, tree, the three-button array cmdAction, modify and delete buttons
// and the module banner; 3960 x 5910 twips, centred on the screen.
FormDefinition SampleBrowserForm(std::u16string name = u"brwPrueba");

// The application object of the component under test, as far as message boxes need it.
rt::AppObject SampleApp();

}  // namespace mundor::ui::qt::testing
