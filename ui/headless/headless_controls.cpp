#include "ui/headless/headless_controls.h"

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"
#include "ui/headless/headless_tree.h"

namespace mundor::ui::headless {

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

HeadlessTextField::HeadlessTextField(const ControlDefinition& definition, FocusTarget& window)
    : definition_(definition),
      window_(window),
      value_(definition.SettingAs<std::u16string>(u"value").value_or(u"")) {}

std::u16string HeadlessTextField::LimitToMaxLength(std::u16string_view text) const {
    const LONG max = definition_.SettingAs<LONG>(u"max").value_or(0);
    if (max <= 0 || text.size() <= static_cast<std::size_t>(max)) return std::u16string(text);
    std::size_t keep = static_cast<std::size_t>(max);
    if (IsHighSurrogate(text[keep - 1])) --keep;
    return std::u16string(text.substr(0, keep));
}

std::u16string HeadlessButton::Caption() const {
    return definition_.SettingAs<std::u16string>(u"tx").value_or(u"");
}

HeadlessModuleBanner::HeadlessModuleBanner(const ControlDefinition& definition, FocusTarget& window)
    : definition_(definition), window_(window) {}

std::size_t HeadlessModuleBanner::SlotOf(std::u16string_view property) {
    constexpr std::array<std::u16string_view, 3> kProperties = {u"Nombre", u"Ubicacion",
                                                                u"Version"};
    for (std::size_t slot = 0; slot < kProperties.size(); ++slot) {
        if (rt::SameMemberName(property, kProperties[slot])) return slot;
    }
    err::RaiseUnknownProperty(property);
}

void HeadlessModuleBanner::SetProperty(std::u16string_view property, std::u16string_view text) {
    values_[SlotOf(property)] = text;
}

std::u16string HeadlessModuleBanner::Property(std::u16string_view property) const {
    return values_[SlotOf(property)];
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
