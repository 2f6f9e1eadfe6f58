// The module banner's run-time properties as every toolkit keeps them: `Nombre`, `Ubicacion` and
// `Version`, set and read by name (without regard to case) as text. A toolkit derives its banner
// from this and shows the values its own way.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "contracts/ui/controls.h"
#include "runtime/export.h"

namespace mundor::ui {

class MUNDOR_API ModuleBannerBase : public ModuleBanner {
  public:
    // An unknown name raises the platform's "no such property" error (438).
    void SetProperty(std::u16string_view property, std::u16string_view text) final;
    std::u16string Property(std::u16string_view property) const final;

  protected:
    enum Slot : std::size_t { kNombre, kUbicacion, kVersion, kSlots };

    const std::u16string& Value(Slot slot) const { return values_[slot]; }
    const std::array<std::u16string, kSlots>& Values() const { return values_; }
    // A property was set.
    virtual void PropertiesChanged() {}

  private:
    static Slot SlotOf(std::u16string_view property);
    std::array<std::u16string, kSlots> values_;
};

}  // namespace mundor::ui
