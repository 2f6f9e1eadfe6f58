// Finding controls, the button and the module banner, focus, and the form definition itself.
#include <string>

#include "test_form.h"

namespace mundor::ui::headless::testing {
namespace {

class ControlsTest : public HeadlessTest {
  protected:
    Window& window() { return logic_.window(); }
    TestLogic logic_;
};

TEST_F(ControlsTest, ControlsAreFoundByNameWithoutRegardToCaseAndByArrayIndex) {
    EXPECT_EQ(&window().GetControl(u"CTRLcodigo"), &window().GetControl(u"ctrlCodigo"));
    Button& agregarEstado = window().Get<Button>(u"cmdAction", 1);
    EXPECT_EQ(agregarEstado.Index(), 1);
    EXPECT_EQ(agregarEstado.Caption(), u"Agregar Estado");
    EXPECT_EQ(window().Get<Button>(u"cmdAceptar").Caption(), u"&Aceptar");
    EXPECT_EQ(window().FindControl(u"cmdNoExiste"), nullptr);
    EXPECT_EQ(window().FindControl(u"cmdAction"), nullptr) << "an array element needs its index";
}

TEST_F(ControlsTest, MissingControlsAndWrongKindsRaiseThePlatformErrors) {
    EXPECT_EQ(ErrorFrom([&] { window().GetControl(u"cmdNoExiste"); }).number(),
              err::kControlNotFound);
    EXPECT_EQ(ErrorFrom([&] { window().Get<Button>(u"cmdAction", 3); }).number(),
              err::kControlArrayElementMissing);
    EXPECT_EQ(ErrorFrom([&] { window().Get<Button>(u"ctrlCodigo"); }).number(),
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
    EXPECT_EQ(banner.Definition().SettingAs<std::u16string>(u"modulo"), u"Form/dlgPrueba");
}

TEST_F(ControlsTest, TheModuleBannerRefusesAnUnknownPropertyWith438) {
    ModuleBanner& banner = window().Get<ModuleBanner>(u"axMirel");
    const rt::RuntimeError error = ErrorFrom([&] { banner.SetProperty(u"Autor", u"x"); });
    EXPECT_EQ(error.number(), rt::err::kMemberNotFound);
    EXPECT_NE(error.description().find(u"Autor"), std::u16string::npos);
    EXPECT_EQ(ErrorFrom([&] { banner.Property(u"Modulo"); }).number(), rt::err::kMemberNotFound);
}

TEST_F(ControlsTest, FocusMovesAreRecordedInOrder) {
    EXPECT_EQ(window().FocusedControl(), nullptr);
    window().Get<TextField>(u"ctrlNombre").SetFocus();
    window().Get<Button>(u"cmdAction", 2).SetFocus();
    window().Get<TextField>(u"ctrlCodigo").SetFocus();

    EXPECT_EQ(window().FocusedControl(), &window().GetControl(u"ctrlCodigo"));
    EXPECT_EQ(transcript().Only<FocusMoved>(),
              (std::vector<FocusMoved>{{u"dlgPrueba", u"ctrlNombre", kNoIndex},
                                       {u"dlgPrueba", u"cmdAction", 2},
                                       {u"dlgPrueba", u"ctrlCodigo", kNoIndex}}));
}

TEST_F(ControlsTest, StoredSettingsReadBackWithTheirTypes) {
    const ControlDefinition& codigo = window().GetControl(u"ctrlCodigo").Definition();
    const ControlDefinition& nombre = window().GetControl(u"ctrlNombre").Definition();
    EXPECT_EQ(codigo.SettingAs<LONG>(u"MAX"), 8);
    EXPECT_EQ(codigo.SettingAs<std::u16string>(u"titleobject"), u"Código");
    EXPECT_EQ(codigo.SettingAs<LONG>(u"ccase"), std::nullopt);
    EXPECT_TRUE(nombre.SettingAs<Color>(u"backcolor")->IsSystemColor());
    EXPECT_EQ(nombre.SettingAs<Font>(u"font")->points, 8.25);
    EXPECT_EQ(window().Get<Button>(u"cmdAceptar").Definition().SettingAs<bool>(u"enab"), true);
    EXPECT_EQ(ErrorFrom([&] { codigo.SettingAs<std::u16string>(u"max"); }).number(),
              rt::err::kTypeMismatch);
}

TEST_F(ControlsTest, AFormThatRepeatsAControlIsRefused) {
    FormDefinition form = TestForm();
    form.controls.push_back(form.controls.front());
    const rt::RuntimeError error = ErrorFrom([&] { TestLogic repeated(form); });
    EXPECT_EQ(error.number(), rt::err::kInvalidCall);
    EXPECT_NE(error.description().find(u"ctrlCodigo"), std::u16string::npos);
}

}  // namespace
}  // namespace mundor::ui::headless::testing
