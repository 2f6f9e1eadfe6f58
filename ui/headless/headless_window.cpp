#include "ui/headless/headless_window.h"

#include <optional>
#include <utility>

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"
#include "ui/headless/user_hands.h"

namespace mundor::ui::headless {

namespace {

std::u16string Decimal(std::size_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// The error that is being handled, as the thread's last run-time error records it.
rt::RuntimeError CurrentErrorRecorded() {
    rt::ReportCurrentException();
    const rt::ErrorRecord& record = rt::LastError();
    return rt::RuntimeError(record.number, record.description, record.source);
}

}  // namespace

HeadlessWindow::HeadlessWindow(std::shared_ptr<Session> session, FormDefinition form,
                               FormEvents& events)
    : session_(std::move(session)), form_(std::move(form)), events_(events) {
    CheckFormDefinition(form_);
    controls_.reserve(form_.controls.size());
    for (const ControlDefinition& definition : form_.controls) {
        controls_.push_back(MakeHeadlessControl(definition, *this));
    }
}

HeadlessWindow::~HeadlessWindow() = default;

void HeadlessWindow::ShowModal() {
    session_->ThrowIfFailed();
    if (unloaded_) err::RaiseObjectUnloaded(form_.name);
    if (visible_) err::RaiseAlreadyShownModal(form_.name);
    LoadIfNeeded();
    // The owner may release its handle from inside a handler; the loop keeps the window alive.
    const std::shared_ptr<HeadlessWindow> keepAlive = shared_from_this();
    visible_ = true;
    session_->transcript().Add(WindowShown{form_.name});
    std::optional<ShowScript> script = session_->user().TakeShowScript(form_.name);
    try {
        if (!script) {
            FailStillShown(u"window '" + form_.name +
                           u"' was shown, but the script plans nothing for this showing");
        }
        RunScript(*script);
    } catch (...) {
        // A window whose run failed leaves the screen quietly, so that nothing waits on it.
        visible_ = false;
        throw;
    }
}

void HeadlessWindow::LoadIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    events_.OnLoad();
    if (unloaded_) err::RaiseObjectUnloaded(form_.name);
}

void HeadlessWindow::RunScript(const ShowScript& script) {
    const std::vector<UserAction>& actions = script.actions();
    for (std::size_t done = 1; done <= actions.size(); ++done) {
        PerformUserAction(*this, actions[done - 1]);
        session_->ThrowIfFailed();
        if (visible_) continue;
        if (done == actions.size()) return;
        session_->Fail(u"window '" + form_.name + u"' hid itself after action " + Decimal(done) +
                       u" of " + Decimal(actions.size()) +
                       u"; the actions after it were planned for a window that is gone");
    }
    if (visible_) {
        FailStillShown(u"window '" + form_.name +
                       u"' is still shown and its script for this showing has no action left");
    }
}

void HeadlessWindow::FailStillShown(std::u16string reason) {
    visible_ = false;
    session_->Fail(std::move(reason));
}

void HeadlessWindow::Hide() {
    if (!visible_) return;
    visible_ = false;
    session_->transcript().Add(WindowHidden{form_.name});
}

void HeadlessWindow::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    try {
        events_.OnUnload();
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    Hide();
    loaded_ = false;
    unloaded_ = true;
}

void HeadlessWindow::UnloadQuietly() noexcept {
    try {
        Unload();
    } catch (...) {
        rt::ReportCurrentException();
    }
}

Control* HeadlessWindow::FindControl(std::u16string_view name, LONG index) {
    for (const auto& control : controls_) {
        if (control->Index() == index && rt::SameMemberName(control->Name(), name)) {
            return control.get();
        }
    }
    return nullptr;
}

void HeadlessWindow::MoveFocusTo(Control& control) {
    focused_ = &control;
    session_->transcript().Add(FocusMoved{form_.name, control.Name(), control.Index()});
}

void HeadlessWindow::RunHandler(const std::function<void()>& handler) {
    std::optional<rt::RuntimeError> escaped;
    try {
        handler();
        return;
    } catch (...) {
        session_->ThrowIfFailed();
        escaped.emplace(CurrentErrorRecorded());
    }
    session_->transcript().Add(
        HandlerFailed{form_.name, escaped->number(), escaped->description()});
    try {
        events_.OnEventError(*escaped);
    } catch (...) {
        session_->ThrowIfFailed();
        rt::ReportCurrentException();
    }
}

}  // namespace mundor::ui::headless
