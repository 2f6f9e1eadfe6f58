// The six dialog launchers end to end: through the facade by either road, with the scripted user
// in the real dialogs, against a real SQLite catalog. Every test runs for the country, the state
// and the city, through the vtable and by name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "component_fixture.h"
#include "contracts/ui/message_box.h"
#include "error_from.h"
#include "launch_road.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::testing {
namespace {

using ui::headless::FocusMoved;
using ui::headless::MessageBoxShown;
using ui::headless::ShowScript;
using ui::headless::WindowShown;

// What a user types into a dialog; the area code only where the dialog has the field.
struct Typed {
    std::u16string codigo;
    std::u16string nombre;
    std::u16string codigoTel;
};

struct LevelFacts {
    const char* name;
    const CLSID* recordClass;
    const char16_t* parentProperty;  // IPais, Estado; null for a country
    bool hasAreaCode;
    Typed stored;  // the record SetUp stores at this level
    const char16_t* codePrompt;
    const char16_t* duplicateCode;  // the data library's refusal of a code already used
    const char16_t* parentMissing;  // its refusal of a record stored with no parent
};

LevelFacts FactsOf(Level level) {
    switch (level) {
        case Level::Pais:
            return {"Pais",
                    &nubex::CLSID_Pais,
                    nullptr,
                    true,
                    {u"MX", u"México", u"52"},
                    u"Introduzca código del pais",
                    u"Ya existe un país con ese código.",
                    nullptr};
        case Level::EdoProv:
            return {"EdoProv",
                    &nubex::CLSID_EdoProv,
                    u"IPais",
                    false,
                    {u"JAL", u"Jalisco", u""},
                    u"Introduzca código del estado",
                    u"Ya existe un estado o provincia con ese código en el país.",
                    u"Indique el país al que pertenece el estado o provincia."};
        case Level::Ciudad:
            return {"Ciudad",
                    &nubex::CLSID_Ciudad,
                    u"Estado",
                    true,
                    {u"GDL", u"Guadalajara", u"33"},
                    u"Introduzca código de la ciudad",
                    u"Ya existe una ciudad con ese código en el estado o provincia.",
                    u"Indique el estado o provincia al que pertenece la ciudad."};
    }
    return {};
}

rt::Variant Get(const rt::Ref<IDispatch>& object, const char16_t* property) {
    return rt::CallByName(object.get(), property, rt::CallType::Get);
}

class LauncherTest : public ComponentTest,
                     public ::testing::WithParamInterface<std::tuple<Level, Road>> {
  protected:
    void SetUp() override {
        mexico_ = AddPais(u"MX", u"México");
        jalisco_ = AddEdoProv(mexico_, u"JAL", u"Jalisco");
        guadalajara_ = AddCiudad(jalisco_, u"GDL", u"Guadalajara");
        rt::CallByName(guadalajara_.get(), u"CodigoTel", rt::CallType::Let, u"33");
        ASSERT_TRUE(
            rt::CallByName(guadalajara_.get(), u"SaveRecord", rt::CallType::Method).AsBool());
    }
    void TearDown() override {
        EXPECT_TRUE(toolkit_.user().AllUsed()) << rt::Utf16ToUtf8(toolkit_.user().Unused());
        EXPECT_FALSE(toolkit_.failure()) << Screen();
    }

    Level level() const { return std::get<0>(GetParam()); }
    LevelFacts facts() const { return FactsOf(level()); }
    LaunchRoad road() { return LaunchRoad(fx_.get(), std::get<1>(GetParam())); }
    ShowScript& OnDialog() { return toolkit_.user().OnShow(LauncherName(level())); }

    // The record SetUp stored at this level, and the key of its parent: none for a country,
    // whose launcher takes no parent key.
    rt::Ref<IDispatch> Existing() const {
        if (level() == Level::EdoProv) return rt::Ref<IDispatch>(jalisco_);
        if (level() == Level::Ciudad) return rt::Ref<IDispatch>(guadalajara_);
        return rt::Ref<IDispatch>(mexico_);
    }
    std::optional<LONG> ParentKey() const {
        if (level() == Level::EdoProv) return KeyOf(mexico_.get());
        if (level() == Level::Ciudad) return KeyOf(jalisco_.get());
        return std::nullopt;
    }
    // How many records of this level the catalog holds under that parent.
    LONG CountUnderParent() const {
        const rt::Variant rows =
            level() == Level::Pais
                ? rt::CallByName(catalog_.get(), u"V_Pais", rt::CallType::Get)
                : rt::CallByName(catalog_.get(),
                                 level() == Level::EdoProv ? u"V_EdoProv" : u"V_Ciudades",
                                 rt::CallType::Get, *ParentKey());
        LONG count = 0;
        for (; !Get(rows.AsDispatch(), u"EOF").AsBool(); ++count) {
            rt::CallByName(rows.AsDispatch().get(), u"MoveNext", rt::CallType::Method);
        }
        return count;
    }

    void TypeInto(ShowScript& script, const Typed& typed) const {
        script.Type(u"ctrlCodigo", typed.codigo).Type(u"ctrlNombre", typed.nombre);
        if (facts().hasAreaCode) script.Type(u"ctrlCodigoTel", typed.codigoTel);
    }
    // A step that checks the fields show the stored record, and the banner the version.
    std::function<void(ui::Window&)> ShowsTheStoredRecord() const {
        return [facts = facts()](ui::Window& dialog) {
            EXPECT_EQ(dialog.Get<ui::ModuleBanner>(u"axMirel").Property(u"Version"), u"0.9.0.10");
            EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlCodigo").Value(), facts.stored.codigo);
            EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlNombre").Value(), facts.stored.nombre);
            if (facts.hasAreaCode) {
                EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlCodigoTel").Value(),
                          facts.stored.codigoTel);
            }
        };
    }

    // The record stored under `key`, loaded afresh from the catalog; empty when none is.
    rt::Ref<IDispatch> Stored(LONG key) const {
        auto record = rt::CreateInstance<IDispatch>(*facts().recordClass);
        const rt::Variant loaded = rt::CallByName(record.get(), u"LoadRecord", rt::CallType::Method,
                                                  key, u"", Get(catalog_, u"ADOCnn"), LONG{1});
        return loaded.AsBool() ? record : rt::Ref<IDispatch>();
    }
    LONG ParentKeyOf(const rt::Ref<IDispatch>& record) const {
        if (!facts().parentProperty) return 0;
        return Get(Get(record, facts().parentProperty).AsDispatch(), u"Sys_PK").AsLong();
    }

    rt::Ref<nubex::Pais> mexico_;
    rt::Ref<nubex::EdoProv> jalisco_;
    rt::Ref<nubex::Ciudad> guadalajara_;
};

std::string CaseName(const ::testing::TestParamInfo<LauncherTest::ParamType>& info) {
    return std::string(FactsOf(std::get<0>(info.param)).name) +
           (std::get<1>(info.param) == Road::Vtable ? "PorInterfaz" : "PorNombre");
}

INSTANTIATE_TEST_SUITE_P(Levels, LauncherTest,
                         ::testing::Combine(::testing::Values(Level::Pais, Level::EdoProv,
                                                              Level::Ciudad),
                                            ::testing::Values(Road::Vtable, Road::ByName)),
                         CaseName);

TEST_P(LauncherTest, AnAddStoresWhatWasTypedUntrimmedUnderTheParentAndHandsTheRecordBack) {
    const Typed typed{u"NV1", u"  Nueva  ", u"99"};
    ShowScript& script = OnDialog().Click(u"cmdAceptar");
    TypeInto(script, typed);
    script.PressAccessKey(u'a');
    toolkit_.user().AnswerMessageBox(ui::vbOK);
    rt::Ref<IDispatch> obj;

    EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(true));

    EXPECT_EQ(Boxes().front(), (MessageBoxShown{facts().codePrompt, 64, u"Mundor", ui::vbOK}));
    EXPECT_EQ(toolkit_.transcript().Only<FocusMoved>().front(),
              (FocusMoved{LauncherName(level()), u"ctrlCodigo"}));
    ASSERT_TRUE(obj);
    const rt::Ref<IDispatch> stored = Stored(Get(obj, u"Sys_PK").AsLong());
    ASSERT_TRUE(stored) << "the record handed back is not in the catalog";
    EXPECT_EQ(Get(stored, u"Codigo").AsString(), typed.codigo);
    EXPECT_EQ(Get(stored, u"Nombre").AsString(), typed.nombre);
    if (facts().hasAreaCode) {
        EXPECT_EQ(Get(stored, u"CodigoTel").AsString(), typed.codigoTel);
    }
    EXPECT_EQ(ParentKeyOf(stored), ParentKey().value_or(0));
}

TEST_P(LauncherTest, ACancelledOrClosedAddEmptiesTheVariableAgainAndAddsNothing) {
    const LONG before = CountUnderParent();
    ShowScript& cancelled = OnDialog();
    TypeInto(cancelled, {u"NV1", u"Nueva", u"99"});
    cancelled.PressAccessKey(u'C');
    ShowScript& closed = OnDialog();
    TypeInto(closed, {u"NV2", u"Otra", u"98"});
    closed.Close();
    for (int attempt = 0; attempt < 2; ++attempt) {
        rt::Ref<IDispatch> obj;
        EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(false));
        EXPECT_FALSE(obj) << "attempt " << attempt;
    }
    EXPECT_EQ(CountUnderParent(), before);
}

TEST_P(LauncherTest, EditsByObjectAndByKeyStoreTheChangeKeepTheParentAndCancelLeavesItAlone) {
    rt::Ref<IDispatch> obj = Existing();
    const LONG key = KeyOf(obj.As<nubex::DataRecord>().get());
    OnDialog()
        .Run(u"the fields show the record", ShowsTheStoredRecord())
        .Type(u"ctrlNombre", u"Cambiado")
        .Click(u"cmdAceptar");
    OnDialog().Type(u"ctrlNombre", u"Otra vez").Click(u"cmdAceptar");
    OnDialog().Type(u"ctrlNombre", u"Descartado").Click(u"cmdCancelar");

    EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(true));
    EXPECT_EQ(obj, Existing()) << "the caller's variable no longer holds its record";
    EXPECT_EQ(Get(Stored(key), u"Nombre").AsString(), u"Cambiado");
    // By key the dialog gets parent key 0, which loads no parent: the record keeps its own.
    EXPECT_EQ(road().LaunchByKey(level(), key), rt::Variant(true));
    EXPECT_EQ(road().LaunchByKey(level(), key), rt::Variant(false));

    const rt::Ref<IDispatch> stored = Stored(key);
    EXPECT_EQ(Get(stored, u"Nombre").AsString(), u"Otra vez");
    EXPECT_EQ(ParentKeyOf(stored), ParentKey().value_or(0));
}

TEST_P(LauncherTest, ARefusedStoreIsExplainedAndTheDialogStaysOpenForACorrection) {
    ShowScript& script = OnDialog();
    TypeInto(script, {facts().stored.codigo, u"Repetido", u"77"});
    script.Click(u"cmdAceptar").Type(u"ctrlCodigo", u"OTRO").Click(u"cmdAceptar");
    toolkit_.user().AnswerMessageBox(ui::vbOK);
    rt::Ref<IDispatch> obj;

    EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(true));

    EXPECT_THAT(Boxes(), ::testing::ElementsAre(
                             MessageBoxShown{facts().duplicateCode, 0, u"Mundor", ui::vbOK}));
    EXPECT_EQ(Get(Stored(Get(obj, u"Sys_PK").AsLong()), u"Codigo").AsString(), u"OTRO");
}

TEST_P(LauncherTest, AKeyBasedAddAnswersTheNewKeyAsLongOrIntegerZero) {
    const LONG before = CountUnderParent();
    ShowScript& script = OnDialog();
    TypeInto(script, {u"NV1", u"Nueva", u"99"});
    script.Click(u"cmdAceptar");
    // With parent key 0 a state or city cannot be stored: the library says why, and the user
    // gives up.
    if (facts().parentMissing) {
        toolkit_.user().AnswerMessageBox(ui::vbOK, facts().parentMissing);
        script.Click(u"cmdCancelar");
    }
    OnDialog().Click(u"cmdCancelar");

    const rt::Variant added = road().LaunchByKey(level());
    const rt::Variant cancelled = road().LaunchByKey(level(), 0);

    EXPECT_EQ(cancelled.vt(), VT_I2);
    EXPECT_EQ(cancelled.AsLong(), 0);
    if (facts().parentMissing) {
        EXPECT_EQ(added.vt(), VT_I2);
        EXPECT_EQ(added.AsLong(), 0);
        EXPECT_EQ(CountUnderParent(), before);
        return;
    }
    ASSERT_EQ(added.vt(), VT_I4);
    EXPECT_EQ(Get(Stored(added.AsLong()), u"Nombre").AsString(), u"Nueva");
}

TEST_P(LauncherTest, AKeyThatDoesNotLoadAnswersFalseWithNoWindowAndNoMessage) {
    for (const LONG key : {987654, -3}) {
        const rt::Variant result = road().LaunchByKey(level(), key);
        EXPECT_EQ(result.vt(), VT_BOOL);
        EXPECT_FALSE(result.AsBool());
    }
    EXPECT_TRUE(toolkit_.transcript().Entries().empty()) << Screen();
}

TEST_P(LauncherTest, AnUnboundFacadeFailsWith91AfterPuttingTheNewRecordInTheVariable) {
    fx_.SetDataObjects({});
    rt::Ref<IDispatch> added;
    EXPECT_EQ(ErrorFrom([&] { road().Launch(level(), &added, ParentKey()); }).number(),
              rt::err::kObjectNotSet);
    ASSERT_TRUE(added) << "the new record did not reach the caller's variable";
    EXPECT_EQ(Get(added, u"Sys_PK").AsLong(), 0);
    const bool ofTheLevel = level() == Level::Pais      ? bool(added.As<nubex::Pais>())
                            : level() == Level::EdoProv ? bool(added.As<nubex::EdoProv>())
                                                        : bool(added.As<nubex::Ciudad>());
    EXPECT_TRUE(ofTheLevel) << "the new record is of another kind";
    rt::Ref<IDispatch> edited = Existing();
    EXPECT_EQ(ErrorFrom([&] { road().Launch(level(), &edited, ParentKey()); }).number(),
              rt::err::kObjectNotSet);
    EXPECT_EQ(edited, Existing());
    const LONG key = Get(Existing(), u"Sys_PK").AsLong();
    EXPECT_EQ(ErrorFrom([&] { road().LaunchByKey(level(), key); }).number(),
              rt::err::kObjectNotSet);
    EXPECT_TRUE(toolkit_.transcript().Only<WindowShown>().empty()) << Screen();
}

// Hosts that pass no variable at all.
class OmittedArgumentsTest : public ComponentTest, public ::testing::WithParamInterface<Road> {};

INSTANTIATE_TEST_SUITE_P(Roads, OmittedArgumentsTest, ::testing::Values(Road::Vtable, Road::ByName),
                         [](const auto& road) {
                             return road.param == Road::Vtable ? "PorInterfaz" : "PorNombre";
                         });

TEST_P(OmittedArgumentsTest, WithNoObjAnAddStillStoresUnderTheGivenParent) {
    const auto mexico = AddPais(u"MX", u"México");
    toolkit_.user()
        .OnShow(u"dlgPais")
        .Type(u"ctrlCodigo", u"CL")
        .Type(u"ctrlNombre", u"Chile")
        .Type(u"ctrlCodigoTel", u"56")
        .Click(u"cmdAceptar");
    toolkit_.user()
        .OnShow(u"dlgEdoProv")
        .Type(u"ctrlCodigo", u"JAL")
        .Type(u"ctrlNombre", u"Jalisco")
        .Click(u"cmdAceptar");
    LaunchRoad launch(fx_.get(), GetParam());

    EXPECT_EQ(launch.Launch(Level::Pais, nullptr), rt::Variant(true));
    EXPECT_EQ(launch.Launch(Level::EdoProv, nullptr, KeyOf(mexico.get())), rt::Variant(true));

    const rt::Variant states =
        rt::CallByName(catalog_.get(), u"V_EdoProv", rt::CallType::Get, KeyOf(mexico.get()));
    EXPECT_EQ(
        rt::CallByName(states.AsDispatch().get(), u"Item", rt::CallType::Get, u"Nombre").AsString(),
        u"Jalisco");
    EXPECT_TRUE(toolkit_.user().AllUsed());
}

}  // namespace
}  // namespace mundor::testing
