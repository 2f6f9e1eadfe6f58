// What the controls of a Qt window need of the window: the logic's events, and a way to run one
// of the logic's handlers as an event loop runs it.
#pragma once

#include <functional>

#include <QWidget>

#include "contracts/ui/window.h"
#include "ui/qt/event_scope.h"

namespace mundor::ui::qt {

class ControlHost {
  public:
    virtual FormEvents& Events() = 0;
    // Opens the scope of one widget event; keep it for as long as the event uses the window.
    [[nodiscard]] virtual EventScope EnterEvent() = 0;
    // Runs a handler; an error that escapes it goes to the logic's OnEventError, never into
    // Qt's event loop.
    virtual void RunHandler(const std::function<void()>& handler) noexcept = 0;

  protected:
    ~ControlHost() = default;
};

// A control of this toolkit: the contract's control shown by one widget.
class WidgetBacked {
  public:
    virtual QWidget& widget() const = 0;

  protected:
    ~WidgetBacked() = default;
};

}  // namespace mundor::ui::qt
