#include "ui/headless/headless_window.h"

#include <optional>
#include <utility>

#include "runtime/text.h"
#include "ui/headless/user_hands.h"

namespace mundor::ui::headless {

HeadlessWindow::HeadlessWindow(std::shared_ptr<Session> session, FormDefinition form,
                               FormEvents& events)
    : WindowBase(std::move(form), events), session_(std::move(session)) {
    for (const ControlDefinition& definition : Definition().controls) {
        AddControl(MakeHeadlessControl(definition, *this));
    }
}

void HeadlessWindow::RunModal() {
    session_->transcript().Add(WindowShown{Name()});
    std::optional<ShowScript> script = session_->user().TakeShowScript(Name());
    try {
        if (!script) {
            FailStillShown(u"la ventana '" + Name() +
                           u"' se mostró, pero el guion no prevé nada para esta vez");
        }
        RunScript(*script);
        if (Visible()) {
            FailStillShown(u"la ventana '" + Name() +
                           u"' sigue a la vista y a su guion no le quedan acciones");
        }
    } catch (...) {
        // A window whose run failed leaves the screen quietly, so that nothing waits on it.
        DropVisible();
        throw;
    }
}

void HeadlessWindow::RunScript(const ShowScript& script) {
    const std::vector<UserAction>& actions = script.actions();
    for (std::size_t done = 1; done <= actions.size(); ++done) {
        PerformUserAction(*this, actions[done - 1]);
        session_->ThrowIfFailed();
        if (Visible()) continue;
        if (done == actions.size()) return;
        session_->Fail(u"la ventana '" + Name() + u"' se ocultó tras la acción " +
                       rt::DecimalText(done) + u" de " + rt::DecimalText(actions.size()) +
                       u"; las acciones siguientes eran para una ventana que ya no está");
    }
}

void HeadlessWindow::FailStillShown(std::u16string reason) {
    DropVisible();
    session_->Fail(std::move(reason));
}

void HeadlessWindow::HideFromScreen() {
    session_->transcript().Add(WindowHidden{Name()});
}

void HeadlessWindow::MoveFocusTo(Control& control) {
    focused_ = &control;
    session_->transcript().Add(FocusMoved{Name(), control.Name(), control.Index()});
}

void ActNow(Window& window, const ShowScript& script) {
    auto* headless = dynamic_cast<HeadlessWindow*>(&window);
    if (!headless) rt::Raise(rt::err::kInvalidCall, u"ActNow necesita una ventana sin pantalla");
    if (!headless->Visible()) {
        headless->session().Fail(u"el usuario no puede actuar sobre la ventana '" +
                                 headless->Name() + u"': no está a la vista");
    }
    headless->RunScript(script);
}

void HeadlessWindow::HandlerErrorEscaped(const rt::RuntimeError& error) {
    session_->transcript().Add(HandlerFailed{Name(), error.number(), error.description()});
}

}  // namespace mundor::ui::headless
