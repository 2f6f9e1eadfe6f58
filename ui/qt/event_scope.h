// The length of one widget event that runs the window logic's handlers. The logic may release
// its own window from inside a handler; the scope keeps the window object alive until the event
// is over, and tells the window, should it go then, to leave its widgets to the event loop
// rather than delete them under the event that is still being delivered to them.
#pragma once

#include <memory>

namespace mundor::ui::qt {

class EventScope {
  public:
    explicit EventScope(std::shared_ptr<void> keepAlive);
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

    // Whether the calling thread is inside such an event now.
    static bool Active();

  private:
    std::shared_ptr<void> keepAlive_;
};

}  // namespace mundor::ui::qt
