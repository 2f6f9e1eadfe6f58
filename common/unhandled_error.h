// How an error that escaped a window's event handler reaches the user. The platform would show
// its run-time error box and end the host; a component must not end its host, so the box is
// shown and the window stays as it was.
#pragma once

#include "runtime/app_object.h"
#include "runtime/error.h"

namespace mundor::common {

// The platform's run-time error box: critical icon, OK button, the application title.
void ShowUnhandledError(const rt::AppObject& app, const rt::RuntimeError& error);

}  // namespace mundor::common
