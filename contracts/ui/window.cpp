#include "contracts/ui/window.h"

namespace mundor::ui {

Control& Window::GetControl(std::u16string_view name, LONG index) {
    if (Control* found = FindControl(name, index)) return *found;
    if (Definition().HasControlNamed(name)) err::RaiseControlArrayElementMissing(name, index);
    err::RaiseControlNotFound(Name(), name);
}

}  // namespace mundor::ui
