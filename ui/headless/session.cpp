#include "ui/headless/session.h"

#include "runtime/bstr.h"

namespace mundor::ui::headless {

void Session::Fail(std::u16string reason) {
    // The first failure is the cause; later ones are usually its consequences.
    ThrowIfFailed();
    std::u16string description = u"Falló el guion del usuario simulado: " + reason;
    description += u"\nLo ocurrido hasta aquí:\n" + rt::Utf8ToUtf16(transcript_.Text());
    transcript_.Add(ScriptFailed{std::move(reason)});
    failure_.emplace(kScriptFailure, std::move(description), u"HeadlessToolkit");
    throw *failure_;
}

void Session::ThrowIfFailed() const {
    if (failure_) throw *failure_;
}

}  // namespace mundor::ui::headless
