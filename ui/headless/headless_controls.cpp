#include "ui/headless/headless_controls.h"

#include "contracts/ui/ui_errors.h"
#include "ui/headless/headless_tree.h"

namespace mundor::ui::headless {

HeadlessTextField::HeadlessTextField(const ControlDefinition& definition, FocusTarget& window)
    : definition_(definition),
      window_(window),
      rules_(TypingRules::Of(definition)),
      value_(definition.SettingAs<std::u16string>(u"value").value_or(u"")) {}

std::u16string HeadlessTextField::TypedText(std::u16string_view text) const {
    return TypeOver(rules_, text);
}

std::u16string HeadlessButton::Caption() const {
    return definition_.SettingAs<std::u16string>(u"tx").value_or(u"");
}

std::unique_ptr<Control> MakeHeadlessControl(const ControlDefinition& definition,
                                             FocusTarget& window) {
    switch (definition.kind) {
        case ControlKind::TextField:
            return std::make_unique<HeadlessTextField>(definition, window);
        case ControlKind::Button:
            return std::make_unique<HeadlessButton>(definition, window);
        case ControlKind::ModuleBanner:
            return std::make_unique<HeadlessModuleBanner>(definition, window);
        case ControlKind::Tree:
            return std::make_unique<HeadlessTree>(definition, window);
    }
    err::RaiseInvalidCall(u"clase de control desconocida: '" + definition.name + u"'");
}

}  // namespace mundor::ui::headless
