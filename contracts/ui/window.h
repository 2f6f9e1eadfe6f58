// A window built from a FormDefinition, and the events its logic receives.
//
// Life of a window: created (controls exist, nothing shown), loaded when first shown (OnLoad),
// shown modally (a nested event loop that returns when the window hides), hidden, unloaded
// (OnUnload; hides it if shown), released (the owner drops the object; it unloads first).
// Everything happens on the thread that created the window, one event at a time.
#pragma once

#include <string>
#include <string_view>

#include "contracts/ui/controls.h"
#include "contracts/ui/form_definition.h"
#include "contracts/ui/tree.h"
#include "contracts/ui/ui_errors.h"
#include "runtime/error.h"
#include "runtime/export.h"

namespace mundor::ui {

// What a window's logic handles. The toolkit calls these on the window's thread. An error that
// escapes OnLoad leaves through ShowModal, and one from OnUnload through Unload; an error that
// escapes a handler run by the event loop (click, expand, close request) cannot unwind through
// the loop, so the toolkit hands it to OnEventError and the window stays as it is.
class MUNDOR_API FormEvents {
  public:
    FormEvents() = default;
    FormEvents(const FormEvents&) = delete;
    FormEvents& operator=(const FormEvents&) = delete;

    virtual void OnLoad() {}
    // A click on a button; `button.Index()` tells the element of a button array.
    virtual void OnClick(Button& button) { static_cast<void>(button); }
    // The user is opening `node`; it opens after the handler returns, if it has children then.
    virtual void OnExpand(Tree& tree, const NodeRef& node) {
        static_cast<void>(tree);
        static_cast<void>(node);
    }
    // The user asks to close the window (its close box). True lets the toolkit unload it.
    virtual bool OnCloseRequest() { return true; }
    virtual void OnUnload() {}
    // How an error that escaped an event handler reaches the user. Whatever escapes this one
    // is only recorded as the thread's last error.
    virtual void OnEventError(const rt::RuntimeError& error) = 0;

  protected:
    ~FormEvents() = default;
};

class MUNDOR_API Window {
  public:
    Window() = default;
    // Releasing the window unloads it first.
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual const FormDefinition& Definition() const = 0;

    // Loads the window if needed and shows it modally: returns once the window is hidden again
    // (by Hide, Unload or a granted close request). Raises 400 when it is already shown and 364
    // when it has been unloaded.
    virtual void ShowModal() = 0;
    virtual void Hide() = 0;
    // Unloads the window (OnUnload, then hidden); unloading an unloaded window does nothing.
    virtual void Unload() = 0;
    virtual bool Visible() const = 0;

    // The control with that name (without regard to case) and array index, or null.
    virtual Control* FindControl(std::u16string_view name, LONG index = kNoIndex) = 0;
    // The control that has the keyboard focus, or null.
    virtual Control* FocusedControl() const = 0;

    const std::u16string& Name() const { return Definition().name; }

    // The control with that name and index: 730 when no control has the name, 340 when the
    // array has no such element.
    Control& GetControl(std::u16string_view name, LONG index = kNoIndex);

    // The control as its kind (TextField, Button, ModuleBanner, Tree); the platform's
    // type-mismatch error (13) when it is of another kind.
    template <class T>
    T& Get(std::u16string_view name, LONG index = kNoIndex) {
        Control& control = GetControl(name, index);
        if (control.Kind() != T::kKind) err::RaiseWrongControlKind(name);
        return static_cast<T&>(control);
    }
};

}  // namespace mundor::ui
