#include "ui/qt/event_scope.h"

namespace mundor::ui::qt {

namespace {

thread_local int tOpenScopes = 0;

}  // namespace

EventScope::EventScope(std::shared_ptr<void> keepAlive) : keepAlive_(std::move(keepAlive)) {
    ++tOpenScopes;
}

EventScope::~EventScope() {
    // The window may end here; it must still see the event as running.
    keepAlive_.reset();
    --tOpenScopes;
}

bool EventScope::Active() {
    return tOpenScopes > 0;
}

}  // namespace mundor::ui::qt
