#include "recording_logic.h"

#include <string>

#include "runtime/text.h"

namespace mundor::ui::testing {

RecordingLogic::RecordingLogic(const FormDefinition& form)
    : window_(ThreadToolkit().CreateWindow(form, *this)) {}

void RecordingLogic::OnClick(Button& button) {
    std::u16string name = button.Name();
    if (button.Index() != kNoIndex) name += u"(" + rt::DecimalText(button.Index()) + u")";
    events.push_back(u"click " + name);
    if (const auto handler = clicks.find(button.Name()); handler != clicks.end()) {
        handler->second(button);
    }
}

void RecordingLogic::OnEventError(const rt::RuntimeError& error) {
    events.push_back(u"error " + rt::DecimalText(error.number()));
    errors.push_back(error);
    if (onEventError) onEventError(error);
}

}  // namespace mundor::ui::testing
