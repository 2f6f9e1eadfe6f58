// The error box in which the component reports an error it caught: "(" number ") " description
// and a suffix naming where it happened (" [ThisApp.DelPais]"), with the critical icon, an OK
// button and the component's application title.
#pragma once

#include <string_view>

#include "runtime/app_object.h"
#include "runtime/error.h"

namespace mundor::common {

// Shows the box. Should the box itself fail, nothing is left to report that with: its error
// goes to the log, under `area`, and nothing leaves.
void ShowErrorBox(const rt::AppObject& app, const rt::RuntimeError& error,
                  std::u16string_view suffix, std::string_view area) noexcept;

}  // namespace mundor::common
