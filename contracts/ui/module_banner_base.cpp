#include "contracts/ui/module_banner_base.h"

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"

namespace mundor::ui {

ModuleBannerBase::Slot ModuleBannerBase::SlotOf(std::u16string_view property) {
    constexpr std::array<std::u16string_view, kSlots> kProperties = {u"Nombre", u"Ubicacion",
                                                                     u"Version"};
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (rt::SameMemberName(property, kProperties[slot])) return static_cast<Slot>(slot);
    }
    err::RaiseUnknownProperty(property);
}

void ModuleBannerBase::SetProperty(std::u16string_view property, std::u16string_view text) {
    values_[SlotOf(property)] = text;
    PropertiesChanged();
}

std::u16string ModuleBannerBase::Property(std::u16string_view property) const {
    return values_[SlotOf(property)];
}

}  // namespace mundor::ui
