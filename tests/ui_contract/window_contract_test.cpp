// A window's life as every toolkit lives it (loaded once when first shown, the guards of a modal
// show, the close box, unload and release, errors that escape a handler and those dropped on the
// way) and its controls: found by name and index, what code sets in a field and what the user
// types into it, the module banner. A dialog opened from a button array inside the browser's
// show is the browser's suites' part (tests/browser), on both toolkits.
#include <functional>
#include <optional>
#include <stdexcept>

#include "log_capture.h"
#include "runtime/text.h"
#include "toolkit_under_test.h"

namespace mundor::ui::contract {
namespace {

class WindowContract : public ContractTest {
  protected:
    WindowContract() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { window().Hide(); };
    }
    Window& window() { return logic_.window(); }
    TextField& field(std::u16string_view name) { return window().Get<TextField>(name); }

    RecordingLogic logic_{SampleDialogForm()};
};
INSTANTIATE_TEST_SUITE_P(Toolkits, WindowContract, EveryToolkit(), ToolkitName);

TEST_P(WindowContract, ShowModalLastsUntilTheWindowHidesAndEachShowPlaysTheNextPlan) {
    bool shownDuringTheShow = false;
    std::optional<LONG> showAgain;
    OnShow(window())
        .Type(u"ctrlNombre", u"primero")
        .Run(u"look and show again",
             [&](Window& shown) {
                 shownDuringTheShow = shown.Visible();
                 showAgain = ErrorFrom([&] { shown.ShowModal(); }).number();
             })
        .Click(u"cmdAceptar");
    OnShow(window()).Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();
    EXPECT_FALSE(window().Visible());
    window().ShowModal();

    EXPECT_TRUE(shownDuringTheShow);
    EXPECT_EQ(showAgain, err::kAlreadyShownModal);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"primero");
    EXPECT_EQ(logic_.events,
              (Events{u"load", u"click cmdAceptar", u"click cmdCancelar", u"click cmdAceptar"}))
        << "loaded once";
}

TEST_P(WindowContract, TheCloseBoxAsksTheLogicAndAGrantedRequestUnloadsTheWindowForGood) {
    logic_.allowClose = false;
    OnShow(window()).Close().Click(u"cmdAceptar");
    window().ShowModal();
    logic_.allowClose = true;
    OnShow(window()).Close();
    window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"click cmdAceptar",
                                     u"close request", u"unload"}));
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(ErrorFrom([&] { window().ShowModal(); }).number(), err::kObjectUnloaded);
    window().Unload();  // unloading again does nothing
    EXPECT_EQ(logic_.events.size(), 5u);
}

TEST_P(WindowContract, ALoadThatFailsOrUnloadsTheWindowLeavesThroughShowModalWithNothingShown) {
    RecordingLogic unloads(SampleDialogForm());
    unloads.onLoad = [&] { unloads.window().Unload(); };
    logic_.onLoad = [] { rt::Raise(rt::err::kCannotCreateObject); };

    EXPECT_EQ(ErrorFrom([&] { window().ShowModal(); }).number(), rt::err::kCannotCreateObject);
    EXPECT_EQ(ErrorFrom([&] { unloads.window().ShowModal(); }).number(), err::kObjectUnloaded);
    EXPECT_FALSE(window().Visible());
    EXPECT_FALSE(unloads.window().Visible());
}

TEST_P(WindowContract, AnyErrorEscapingAClickGoesToTheLogicAndTheWindowStaysShown) {
    int clicks = 0;
    logic_.clicks[u"cmdCancelar"] = [&](Button&) {
        if (clicks++ == 0) rt::RaiseObjectNotSet();
        throw std::runtime_error("no es de la plataforma");
    };
    OnShow(window()).Click(u"cmdCancelar").Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();

    const LONG notOurs = static_cast<LONG>(E_FAIL);
    EXPECT_EQ(logic_.events,
              (Events{u"load", u"click cmdCancelar", u"error 91", u"click cmdCancelar",
                      u"error " + rt::DecimalText(notOurs), u"click cmdAceptar"}));
    EXPECT_EQ(rt::LastError().number, notOurs);
}

TEST_P(WindowContract, ErrorsDroppedOnTheWayGoToTheLogAndNoFurther) {
    const mundor::testing::LogCapture log;
    logic_.clicks[u"cmdCancelar"] = [](Button&) { rt::RaiseObjectNotSet(); };
    logic_.onEventError = [](const rt::RuntimeError&) { rt::Raise(rt::err::kOverflow); };
    logic_.onUnload = [] { rt::Raise(rt::err::kInvalidCall); };
    OnShow(window()).Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();
    EXPECT_EQ(rt::LastError().number, rt::err::kOverflow) << "the handler's error is recorded";
    EXPECT_NO_THROW(logic_.ReleaseWindow());

    const std::vector<std::string> logged = log.TextsOf("ui");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find("error 6 en el manejo de errores de la ventana 'dlgPrueba'"),
              std::string::npos)
        << logged[0];
    EXPECT_NE(logged[1].find("error 5 al descargar la ventana 'dlgPrueba' al soltarla"),
              std::string::npos)
        << logged[1];
}

TEST_P(WindowContract, ControlsAreFoundByNameAndIndexAsTheirKindAndTheBannerTakesItsProperties) {
    RecordingLogic logic(SampleBrowserForm());
    Window& browser = logic.window();
    EXPECT_EQ(&browser.GetControl(u"CMDcerrar"), &browser.GetControl(u"cmdCerrar"));
    EXPECT_EQ(browser.Get<Button>(u"cmdCerrar").Caption(), u"&Cerrar");
    EXPECT_EQ(browser.Get<Button>(u"cmdAction", 1).Caption(), u"Agregar Estado");
    EXPECT_EQ(browser.FindControl(u"cmdNoExiste"), nullptr);
    EXPECT_EQ(browser.FindControl(u"cmdAction"), nullptr) << "an array element needs its index";

    EXPECT_EQ(ErrorFrom([&] { browser.GetControl(u"cmdNoExiste"); }).number(),
              err::kControlNotFound);
    EXPECT_EQ(ErrorFrom([&] { browser.Get<Button>(u"cmdAction", 3); }).number(),
              err::kControlArrayElementMissing);
    EXPECT_EQ(ErrorFrom([&] { browser.Get<Button>(u"tvwPaises"); }).number(),
              rt::err::kTypeMismatch);

    // The module banner takes its three properties by name, as text, and no other.
    ModuleBanner& banner = browser.Get<ModuleBanner>(u"axMirel");
    banner.SetProperty(u"Nombre", u"Mundor.so");
    banner.SetProperty(u"UBICACION", u"/opt/mundor/lib");
    banner.SetProperty(u"version", u"0.9.0.10");

    EXPECT_EQ(banner.Property(u"nombre"), u"Mundor.so");
    EXPECT_EQ(banner.Property(u"Ubicacion"), u"/opt/mundor/lib");
    EXPECT_EQ(banner.Property(u"Version"), u"0.9.0.10");
    const rt::RuntimeError error = ErrorFrom([&] { banner.SetProperty(u"Autor", u"x"); });
    EXPECT_EQ(error.number(), rt::err::kMemberNotFound);
    EXPECT_NE(error.description().find(u"Autor"), std::u16string::npos);
    EXPECT_EQ(ErrorFrom([&] { banner.Property(u"Modulo"); }).number(), rt::err::kMemberNotFound);
}

TEST_P(WindowContract, AFieldKeepsWhatCodeSetsExactlyWithoutLimitOrCase) {
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"");
    EXPECT_TRUE(field(u"ctrlNombre").Editable());
    const std::u16string texts[] = {
        u"  Ñandú, São Paulo, Zürich  ", u"\U0001D11E clave \U0001F600",
        std::u16string(u"a\0b", 3),      std::u16string(1, char16_t{0xD800}),
        std::u16string(40000, u'é'),     u"",
    };
    for (const std::u16string& text : texts) {
        field(u"ctrlNombre").SetValue(text);
        EXPECT_EQ(field(u"ctrlNombre").Value(), text);
    }
    field(u"ctrlCodigo").SetValue(u"mucho más de ocho");
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"mucho más de ocho") << "max and ccase shape typing";
}

TEST_P(WindowContract, WhatTheUserTypesIsKeptAsTypedUnderTheFieldsLengthAndCase) {
    const std::u16string spaced = u"  Ciudad de México \U0001F30E ";
    OnShow(window())
        .Type(u"ctrlCodigoTel", spaced)
        .Type(u"ctrlNombre", u"Jalisco")
        .Type(u"ctrlNombre", u"Colima")
        .Click(u"cmdAceptar");
    window().ShowModal();
    EXPECT_EQ(field(u"ctrlCodigoTel").Value(), spaced);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Colima") << "typing over what was there";

    for (const Typing& typing : CodeFieldTypings()) {
        SCOPED_TRACE(rt::Utf16ToUtf8(typing.typed));
        OnShow(window()).Type(u"ctrlCodigo", typing.typed).Click(u"cmdAceptar");
        window().ShowModal();
        EXPECT_EQ(field(u"ctrlCodigo").Value(), typing.left);
    }
}

}  // namespace
}  // namespace mundor::ui::contract
