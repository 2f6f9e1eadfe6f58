// Builds the Qt control a form definition row describes, placed and lettered on its window.
#pragma once

#include <memory>

#include "contracts/ui/controls.h"
#include "ui/qt/control_host.h"
#include "ui/qt/twips.h"

namespace mundor::ui::qt {

std::unique_ptr<Control> MakeQtControl(const ControlDefinition& definition, ControlHost& host,
                                       QWidget& window, const TwipsScale& scale);

// The widget of a control this toolkit made.
QWidget& WidgetOf(const Control& control);

}  // namespace mundor::ui::qt
