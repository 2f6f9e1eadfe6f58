// Finding controls, the module banner's properties, focus, and the stored settings: what every
// toolkit's window does the same way, driven here on the headless one.
#include <string>

#include "headless_test.h"

namespace mundor::ui::headless::testing {
namespace {

class ControlsTest : public HeadlessTest {
  protected:
    Window& window() { return browser_.window(); }
    RecordingLogic browser_{SampleBrowserForm()};
};

TEST_F(ControlsTest, ControlsAreFoundByNameWithoutRegardToCaseAndByArrayIndex) {
    EXPECT_EQ(&window().GetControl(u"CMDcerrar"), &window().GetControl(u"cmdCerrar"));
    Button& agregarEstado = window().Get<Button>(u"cmdAction", 1);
    EXPECT_EQ(agregarEstado.Index(), 1);
    EXPECT_EQ(agregarEstado.Caption(), u"Agregar Estado");
    EXPECT_EQ(window().Get<Button>(u"cmdCerrar").Caption(), u"&Cerrar");
    EXPECT_EQ(window().FindControl(u"cmdNoExiste"), nullptr);
    EXPECT_EQ(window().FindControl(u"cmdAction"), nullptr) << "an array element needs its index";

    EXPECT_EQ(ErrorFrom([&] { window().GetControl(u"cmdNoExiste"); }).number(),
              err::kControlNotFound);
    EXPECT_EQ(ErrorFrom([&] { window().Get<Button>(u"cmdAction", 3); }).number(),
              err::kControlArrayElementMissing);
    EXPECT_EQ(ErrorFrom([&] { window().Get<Button>(u"tvwPaises"); }).number(),
              rt::err::kTypeMismatch);
}

TEST_F(ControlsTest, TheModuleBannerTakesItsThreePropertiesByNameAsText) {
    ModuleBanner& banner = window().Get<ModuleBanner>(u"axMirel");
    banner.SetProperty(u"Nombre", u"Mundor.so");
    banner.SetProperty(u"UBICACION", u"/opt/mundor/lib");
    banner.SetProperty(u"version", u"0.9.0.10");

    EXPECT_EQ(banner.Property(u"nombre"), u"Mundor.so");
    EXPECT_EQ(banner.Property(u"Ubicacion"), u"/opt/mundor/lib");
    EXPECT_EQ(banner.Property(u"Version"), u"0.9.0.10");
    EXPECT_EQ(banner.Definition().SettingAs<std::u16string>(u"modulo"), u"Form/brwPrueba");
}

TEST_F(ControlsTest, TheModuleBannerRefusesAnUnknownPropertyWith438) {
    ModuleBanner& banner = window().Get<ModuleBanner>(u"axMirel");
    const rt::RuntimeError error = ErrorFrom([&] { banner.SetProperty(u"Autor", u"x"); });
    EXPECT_EQ(error.number(), rt::err::kMemberNotFound);
    EXPECT_NE(error.description().find(u"Autor"), std::u16string::npos);
    EXPECT_EQ(ErrorFrom([&] { banner.Property(u"Modulo"); }).number(), rt::err::kMemberNotFound);
}

}  // namespace
}  // namespace mundor::ui::headless::testing
