// The deletes end to end: through the facade (typed and by name), with the scripted user
// answering the boxes, against a real SQLite catalog. Each test checks what the user saw and
// what the catalog holds afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "component_fixture.h"
#include "contracts/ui/message_box.h"
#include "error_from.h"
#include "failing_record.h"
#include "log_capture.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::testing {
namespace {

using ::testing::ElementsAre;
using ui::headless::MessageBoxShown;

constexpr char16_t kConfirm[] = u"¿Seguro desea eliminar este elemento?";
const MessageBoxShown kConfirmYes{kConfirm, 308, u"Mundor", ui::vbYes};
const MessageBoxShown kConfirmNo{kConfirm, 308, u"Mundor", ui::vbNo};

class DeleteTest : public ComponentTest {
  protected:
    void SetUp() override {
        mexico_ = AddPais(u"MX", u"México");
        jalisco_ = AddEdoProv(mexico_, u"JAL", u"Jalisco");
        guadalajara_ = AddCiudad(jalisco_, u"GDL", u"Guadalajara");
        chile_ = AddPais(u"CL", u"Chile");
        fx_.SetLastErrorCode(7);
        fx_.SetLastErrorDescrip(u"del anfitrión");
    }
    void TearDown() override {
        // No operation of the component ever writes the host's error properties.
        EXPECT_EQ(fx_.LastErrorCode(), 7);
        EXPECT_EQ(fx_.LastErrorDescrip(), u"del anfitrión");
        EXPECT_TRUE(toolkit_.user().AllUsed()) << rt::Utf16ToUtf8(toolkit_.user().Unused());
    }

    rt::Ref<nubex::Pais> mexico_;
    rt::Ref<nubex::EdoProv> jalisco_;
    rt::Ref<nubex::Ciudad> guadalajara_;
    rt::Ref<nubex::Pais> chile_;
};

TEST_F(DeleteTest, ConfirmedDeleteAsksOnceUnderTheApplicationTitleAndDeletes) {
    toolkit_.user().AnswerMessageBox(ui::vbYes);
    EXPECT_TRUE(fx_.DelPais(chile_));
    EXPECT_THAT(Boxes(), ElementsAre(kConfirmYes)) << Screen();
    EXPECT_FALSE(PaisExists(KeyOf(chile_.get())));
    EXPECT_TRUE(PaisExists(KeyOf(mexico_.get())));
}

TEST_F(DeleteTest, AnyAnswerButYesKeepsTheRecord) {
    toolkit_.user().AnswerMessageBox(ui::vbNo);
    toolkit_.user().PressDefaultButton();  // Enter: No is the default button
    EXPECT_FALSE(fx_.DelCiudad(guadalajara_));
    EXPECT_FALSE(fx_.DelCiudad(guadalajara_));
    EXPECT_THAT(Boxes(), ElementsAre(kConfirmNo, kConfirmNo)) << Screen();
    EXPECT_TRUE(CiudadExists(KeyOf(guadalajara_.get())));
}

TEST_F(DeleteTest, AskFalseDeletesWithoutAnyBox) {
    EXPECT_TRUE(fx_.DelCiudad(guadalajara_, false));
    EXPECT_TRUE(Boxes().empty()) << Screen();
    EXPECT_FALSE(CiudadExists(KeyOf(guadalajara_.get())));
}

TEST_F(DeleteTest, AnyNonZeroAskCountsAsTrue) {
    toolkit_.user().AnswerMessageBox(ui::vbNo).AnswerMessageBox(ui::vbNo);
    VARIANT_BOOL one = 1;
    VARIANT_BOOL result = VARIANT_TRUE;
    ASSERT_EQ(fx_.get()->DelCiudad(guadalajara_.slot(), &one, &result), S_OK);
    EXPECT_EQ(result, VARIANT_FALSE);
    rt::Variant five(LONG{5});
    const rt::Variant byName = rt::CallByName(fx_.get(), u"DelCiudad", rt::CallType::Method,
                                              rt::Variant(guadalajara_), five);
    EXPECT_EQ(byName.vt(), VT_BOOL);
    EXPECT_FALSE(byName.AsBool());
    EXPECT_EQ(Boxes().size(), 2u) << Screen();
}

TEST_F(DeleteTest, ByNameBehavesAsTheTypedCall) {
    toolkit_.user().AnswerMessageBox(ui::vbYes);
    rt::Variant obj(jalisco_);  // a Variant variable, passed by reference
    rt::Ref<nubex::Ciudad> city = guadalajara_;
    ASSERT_TRUE(fx_.DelCiudad(city, false));  // the state must be empty first
    const rt::Variant result = rt::CallByName(fx_.get(), u"delEDOPROV", rt::CallType::Method, obj);
    EXPECT_EQ(result.vt(), VT_BOOL);
    EXPECT_TRUE(result.AsBool());
    // Ask given by name is read as Ask: no box.
    EXPECT_TRUE(
        rt::CallByName(fx_.get(), u"DelPais", rt::CallType::Method, rt::Variant(chile_), false)
            .AsBool());
    EXPECT_FALSE(PaisExists(KeyOf(chile_.get())));
    EXPECT_THAT(Boxes(), ElementsAre(kConfirmYes)) << Screen();
    EXPECT_FALSE(EdoProvExists(KeyOf(jalisco_.get())));
    EXPECT_TRUE(obj.AsObject<nubex::EdoProv>().get() == jalisco_.get()) << "Obj was changed";
}

TEST_F(DeleteTest, RefusedDeleteShowsTheDataLibrarysReasonAndKeepsEverything) {
    toolkit_.user().AnswerMessageBox(ui::vbYes).AnswerMessageBox(ui::vbOK);
    EXPECT_FALSE(fx_.DelPais(mexico_));
    const std::u16string expected =
        u"(20020) No se puede eliminar el país: tiene estados o provincias registrados. "
        u"[ThisApp.DelPais]";
    EXPECT_THAT(Boxes(),
                ElementsAre(kConfirmYes, MessageBoxShown{expected, 16, u"Mundor", ui::vbOK}))
        << Screen();
    EXPECT_TRUE(PaisExists(KeyOf(mexico_.get())));
    EXPECT_TRUE(EdoProvExists(KeyOf(jalisco_.get())));
    EXPECT_TRUE(CiudadExists(KeyOf(guadalajara_.get())));
}

TEST_F(DeleteTest, StaleObjectWhoseRowIsGoneReportsItInTheErrorBox) {
    auto other = Load<nubex::Ciudad>(nubex::CLSID_Ciudad, KeyOf(guadalajara_.get()));
    ASSERT_TRUE(fx_.DelCiudad(other, false));
    toolkit_.user().AnswerMessageBox(ui::vbOK);
    EXPECT_FALSE(fx_.DelCiudad(guadalajara_, false));
    ASSERT_EQ(Boxes().size(), 1u) << Screen();
    EXPECT_EQ(Boxes()[0].prompt,
              u"(20014) Otro usuario eliminó este registro. [ThisApp.DelCiudad]");
    EXPECT_EQ(Boxes()[0].style, 16);
}

TEST_F(DeleteTest, MissingObjectIsTheObjectNotSetErrorInTheBox) {
    toolkit_.user().AnswerMessageBox(ui::vbYes).AnswerMessageBox(ui::vbOK);
    rt::Ref<nubex::EdoProv> nothing;
    EXPECT_FALSE(fx_.DelEdoProv(nothing));
    ASSERT_EQ(Boxes().size(), 2u) << Screen();
    EXPECT_EQ(Boxes()[1].prompt,
              u"(91) Variable de objeto o bloque With no establecida [ThisApp.DelEdoProv]");
}

TEST_F(DeleteTest, KeyThatDoesNotLoadAnswersFalseWithoutAsking) {
    LONG missing = 987654;
    EXPECT_FALSE(fx_.DelEdoProv_BySysPK(missing));
    LONG negative = -3;
    EXPECT_FALSE(fx_.DelPais_BySysPK(negative));
    EXPECT_TRUE(Boxes().empty()) << Screen();
}

TEST_F(DeleteTest, KeyBasedDeleteConfirmsAfterLoadingAndDeletes) {
    LONG key = KeyOf(chile_.get());
    toolkit_.user().AnswerMessageBox(ui::vbYes).AnswerMessageBox(ui::vbYes);
    EXPECT_TRUE(fx_.DelPais_BySysPK(key));
    EXPECT_THAT(Boxes(), ElementsAre(kConfirmYes)) << Screen();
    EXPECT_FALSE(PaisExists(KeyOf(chile_.get())));
    EXPECT_EQ(key, KeyOf(chile_.get())) << "the caller's key variable changed";

    // By name with Ask left out, it asks as well.
    LONG city = KeyOf(guadalajara_.get());
    const rt::Variant byName =
        rt::CallByName(fx_.get(), u"DelCiudad_BySysPK", rt::CallType::Method, city);
    EXPECT_TRUE(byName.AsBool());
    EXPECT_THAT(Boxes(), ElementsAre(kConfirmYes, kConfirmYes)) << Screen();
    EXPECT_FALSE(CiudadExists(city));
}

TEST_F(DeleteTest, KeyBasedRefusalComesBackAsFalseWithTheErrorBox) {
    LONG key = KeyOf(jalisco_.get());
    toolkit_.user().AnswerMessageBox(ui::vbOK);
    EXPECT_FALSE(fx_.DelEdoProv_BySysPK(key, false));
    ASSERT_EQ(Boxes().size(), 1u) << Screen();
    EXPECT_EQ(Boxes()[0].prompt,
              u"(20020) No se puede eliminar el estado o provincia: tiene ciudades registradas. "
              u"[ThisApp.DelEdoProv]");
}

TEST_F(DeleteTest, UnboundFacadeFailsTowardsTheCallerWithoutABox) {
    fx_.SetDataObjects({});
    LONG key = KeyOf(chile_.get());
    EXPECT_EQ(ErrorFrom([&] { fx_.DelPais_BySysPK(key); }).number(), rt::err::kObjectNotSet);
    rt::Variant variable(key);
    const rt::RuntimeError byName = ErrorFrom(
        [&] { rt::CallByName(fx_.get(), u"DelPais_BySysPK", rt::CallType::Method, variable); });
    EXPECT_EQ(byName.number(), rt::err::kObjectNotSet);
    EXPECT_EQ(byName.description(), u"Variable de objeto o bloque With no establecida");
    // Through the vtable a failed delete still answers False.
    for (const auto del : {&_MundorFx::DelPais_BySysPK, &_MundorFx::DelEdoProv_BySysPK,
                           &_MundorFx::DelCiudad_BySysPK}) {
        VARIANT_BOOL ask = VARIANT_FALSE;
        VARIANT_BOOL answer = VARIANT_TRUE;
        EXPECT_TRUE(FAILED((fx_.get()->*del)(&key, &ask, &answer)));
        EXPECT_EQ(answer, VARIANT_FALSE);
    }
    EXPECT_TRUE(Boxes().empty()) << Screen();
    EXPECT_TRUE(PaisExists(KeyOf(chile_.get())));
}

TEST_F(DeleteTest, ObjectDeleteOnAnUnboundFacadeStillDeletesThroughItsRecord) {
    fx_.SetDataObjects({});
    EXPECT_TRUE(fx_.DelPais(chile_, false));
    EXPECT_FALSE(PaisExists(KeyOf(chile_.get())));
}

TEST_F(DeleteTest, AFailingErrorBoxStillAnswersFalseAndOnlyTheLogKeepsItsError) {
    // Nothing scripted: the confirmation cannot be answered, and neither can the error box that
    // reports it. The delete still answers False without an error; the run's failure reaches
    // the test through the toolkit, and the box's error goes to the log.
    const LogCapture log;
    for (const bool byName : {false, true}) {
        SCOPED_TRACE(byName ? "by name" : "typed");
        VARIANT_BOOL result = VARIANT_TRUE;
        if (byName) {
            rt::Variant obj(chile_);
            EXPECT_FALSE(rt::CallByName(fx_.get(), u"DelPais", rt::CallType::Method, obj).AsBool());
        } else {
            EXPECT_EQ(fx_.get()->DelPais(chile_.slot(), nullptr, &result), S_OK);
            EXPECT_EQ(result, VARIANT_FALSE);
        }
    }
    EXPECT_TRUE(PaisExists(KeyOf(chile_.get())));
    EXPECT_TRUE(toolkit_.failure().has_value());
    const std::vector<std::string> logged = log.TextsOf("facade");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find("al mostrar el cuadro de error [ThisApp.DelPais]"), std::string::npos)
        << logged[0];
}

}  // namespace
}  // namespace mundor::testing

namespace mundor::testing {
namespace {

TEST_F(DeleteTest, NegativeErrorNumberKeepsItsMinusSign) {
    auto city = NewCityWhoseDeleteFails(E_FAIL, u"Falla del disco");
    toolkit_.user().AnswerMessageBox(ui::vbOK);
    EXPECT_FALSE(fx_.DelCiudad(city, false));
    ASSERT_EQ(Boxes().size(), 1u) << Screen();
    EXPECT_EQ(Boxes()[0].prompt, u"(-2147467259) Falla del disco [ThisApp.DelCiudad]");
    EXPECT_EQ(Boxes()[0].style, 16);
    EXPECT_EQ(Boxes()[0].title, u"Mundor");
}

}  // namespace
}  // namespace mundor::testing
