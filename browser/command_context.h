// What every command of the browser works with: the component's application object (the message
// boxes' title), the facade the window reaches everything through, and the window's tree.
#pragma once

#include "contracts/ui/tree.h"
#include "runtime/app_object.h"
#include "runtime/com_types.h"

namespace mundor::browser {

struct CommandContext {
    const rt::AppObject& app;
    IDispatch* thisFx;
    ui::Tree& tvw;
};

}  // namespace mundor::browser
