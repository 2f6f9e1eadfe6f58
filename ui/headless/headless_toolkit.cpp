#include "ui/headless/headless_toolkit.h"

#include <string>

#include "runtime/text.h"
#include "ui/headless/headless_window.h"

namespace mundor::ui::headless {

namespace {

std::u16string Describe(const MessageBoxRequest& request) {
    return u"el cuadro de mensaje (estilo " + rt::DecimalText(request.style) + u", título '" +
           request.ShownTitle() + u"') '" + request.prompt + u"'";
}

// Why the planned answer cannot answer this box; empty when it can.
std::u16string ProblemWith(const std::optional<PlannedAnswer>& planned,
                           const MessageBoxRequest& request, const MessageBoxLook& look) {
    if (!planned) return Describe(request) + u" apareció sin una respuesta en el guion";
    if (planned->expectedPrompt && *planned->expectedPrompt != request.prompt) {
        return Describe(request) + u" apareció donde el guion esperaba '" +
               *planned->expectedPrompt + u"'";
    }
    if (planned->answer && !look.Offers(*planned->answer)) {
        return u"la respuesta " + rt::DecimalText(*planned->answer) +
               u" del guion no es un botón de " + Describe(request);
    }
    return u"";
}

}  // namespace

HeadlessToolkit::HeadlessToolkit() : session_(std::make_shared<Session>()) {}

HeadlessToolkit::~HeadlessToolkit() = default;

std::unique_ptr<Window> HeadlessToolkit::CreateWindow(const FormDefinition& form,
                                                      FormEvents& events) {
    session_->ThrowIfFailed();
    auto window = std::make_shared<HeadlessWindow>(session_, form, events);
    return std::make_unique<SharedWindowHandle>(std::move(window));
}

LONG HeadlessToolkit::MsgBox(const MessageBoxRequest& request) {
    session_->ThrowIfFailed();
    const MessageBoxLook look = DescribeStyle(request.style);
    const std::optional<PlannedAnswer> planned = session_->user().TakeAnswer();
    const std::u16string problem = ProblemWith(planned, request, look);
    const LONG answer = problem.empty() ? planned->answer.value_or(look.defaultButton) : 0;
    // The box goes into the transcript even when the run stops at it, unanswered.
    session_->transcript().Add(
        MessageBoxShown{request.prompt, request.style, request.ShownTitle(), answer});
    if (!problem.empty()) session_->Fail(problem);
    return answer;
}

}  // namespace mundor::ui::headless
