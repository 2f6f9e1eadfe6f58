// The six dialog launchers and the six deletes end to end: through the facade by either road,
// with the scripted user in the real dialogs and boxes, against a real catalog. Every test runs
// for the country, the state and the city, through the vtable and by name, and checks what the
// user saw and what the catalog holds afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "browser_fixture.h"
#include "contracts/ui/message_box.h"
#include "error_from.h"
#include "facade/mundor_client.h"
#include "launch_road.h"
#include "log_capture.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "stand_in_record.h"

namespace mundor::testing {
namespace {

using browser_test::HostCall;
using ui::headless::FocusMoved;
using ui::headless::MessageBoxShown;
using ui::headless::ShowScript;

// What a user types into a dialog; the area code only where the dialog has the field.
struct Typed {
    std::u16string codigo;
    std::u16string nombre;
    std::u16string codigoTel;
};

struct LevelFacts {
    const CLSID* recordClass;
    const char16_t* parentProperty;  // IPais, Estado; null for a country
    Typed stored;  // the record SetUp stores at this level; a state has no area code
    std::vector<std::pair<std::u16string, std::u16string>> prompts;  // field, in asking order
    const char16_t* parentMissing;  // its refusal of a record stored with no parent
    const char16_t* hasChildren;    // its refusal to delete the stored record (a city has none)

    bool hasAreaCode() const { return !stored.codigoTel.empty(); }
};

// By level: the country, the state, the city.
const LevelFacts kFacts[] = {
    {&nubex::CLSID_Pais,
     nullptr,
     {u"MX", u"México", u"52"},
     {{u"ctrlCodigo", u"Introduzca código del pais"},
      {u"ctrlNombre", u"Introduzca nombre del pais"},
      {u"ctrlCodigoTel", u"Introduzca codigo de área"}},
     nullptr,
     u"(20020) No se puede eliminar el país: tiene estados o provincias registrados."},
    {&nubex::CLSID_EdoProv,
     u"IPais",
     {u"JAL", u"Jalisco", u""},
     {{u"ctrlCodigo", u"Introduzca código del estado"},
      {u"ctrlNombre", u"Introduzca nombre del estado"}},
     u"Indique el país al que pertenece el estado o provincia.",
     u"(20020) No se puede eliminar el estado o provincia: tiene ciudades registradas."},
    {&nubex::CLSID_Ciudad,
     u"Estado",
     {u"GDL", u"Guadalajara", u"33"},
     {{u"ctrlCodigo", u"Introduzca código de la ciudad"},
      {u"ctrlNombre", u"Introduzca nombre de ciudad"},
      {u"ctrlCodigoTel", u"Introduzca codigo de área"}},
     u"Indique el estado o provincia al que pertenece la ciudad.",
     nullptr},
};

const LevelFacts& FactsOf(Level level) {
    return kFacts[static_cast<int>(level)];
}

constexpr char16_t kConfirm[] = u"¿Seguro desea eliminar este elemento?";
const MessageBoxShown kConfirmYes{kConfirm, 308, u"Mundor", ui::vbYes};
const MessageBoxShown kConfirmNo{kConfirm, 308, u"Mundor", ui::vbNo};

rt::Variant Get(const rt::Ref<IDispatch>& object, const char16_t* property) {
    return rt::CallByName(object.get(), property, rt::CallType::Get);
}

// A host session (browser_fixture.h) with México, Jalisco and Guadalajara stored, and the
// host's own error properties set: no member may write them.
class LevelTest : public browser_test::BrowserTest,
                  public ::testing::WithParamInterface<std::tuple<Level, HostCall>> {
  protected:
    void SetUp() override {
        stored_ = {catalog_.AddPais(u"MX", u"México", u"52")};
        stored_.push_back(catalog_.AddEdoProv(stored_[0].pk, u"JAL", u"Jalisco"));
        stored_.push_back(catalog_.AddCiudad(stored_[1].pk, u"GDL", u"Guadalajara", u"33"));
        for (const Level each : {Level::Pais, Level::EdoProv, Level::Ciudad}) {
            existing_.push_back(Load(each, stored_[static_cast<int>(each)].pk));
        }
        fx().SetLastErrorCode(7);
        fx().SetLastErrorDescrip(u"del anfitrión");
    }
    void TearDown() override {
        EXPECT_EQ(fx().LastErrorCode(), 7);
        EXPECT_EQ(fx().LastErrorDescrip(), u"del anfitrión");
        EXPECT_TRUE(toolkit_.user().AllUsed()) << rt::Utf16ToUtf8(toolkit_.user().Unused());
        if (!scriptFails_) {
            EXPECT_FALSE(toolkit_.failure()) << Screen();
        }
    }

    MundorClient fx() const { return MundorClient(fx_.As<_MundorFx>()); }
    Level level() const { return std::get<0>(GetParam()); }
    const LevelFacts& facts() const { return FactsOf(level()); }
    LaunchRoad road() { return LaunchRoad(typedFx_.get(), std::get<1>(GetParam())); }
    ShowScript& OnDialog() { return toolkit_.user().OnShow(u"dlg" + LevelName(level())); }
    std::string Screen() const { return transcript().Text(); }

    // The record SetUp stored at this level, and the key of its parent: none for a country,
    // whose launcher takes no parent key.
    rt::Ref<IDispatch> Existing() const { return existing_[static_cast<int>(level())]; }
    std::optional<LONG> ParentKey() const {
        if (level() == Level::Pais) return std::nullopt;
        return stored_[static_cast<int>(level()) - 1].pk;
    }
    // A new record of this level with nothing below it.
    rt::Ref<IDispatch> AddLeaf(std::u16string_view codigo) {
        if (level() == Level::Pais) return Loaded(catalog_.AddPais(codigo, u"Hoja", u"").pk);
        if (level() == Level::EdoProv) {
            return Loaded(catalog_.AddEdoProv(*ParentKey(), codigo, u"Hoja").pk);
        }
        return Loaded(catalog_.AddCiudad(*ParentKey(), codigo, u"Hoja").pk);
    }
    static LONG Key(const rt::Ref<IDispatch>& record) { return Get(record, u"Sys_PK").AsLong(); }
    bool Exists(const rt::Ref<IDispatch>& record) const {
        return static_cast<bool>(Loaded(Key(record)));
    }
    bool AllSetUpRecordsExist() const {
        for (const Level each : {Level::Pais, Level::EdoProv, Level::Ciudad}) {
            if (!Load(each, stored_[static_cast<int>(each)].pk)) return false;
        }
        return true;
    }

    // How many records of this level the catalog holds under that parent.
    std::size_t CountUnderParent() const {
        if (level() == Level::Pais) return catalog_.Countries().size();
        if (level() == Level::EdoProv) return catalog_.StatesOf(*ParentKey()).size();
        return catalog_.CitiesOf(*ParentKey()).size();
    }

    void TypeInto(ShowScript& script, const Typed& typed) const {
        script.Type(u"ctrlCodigo", typed.codigo).Type(u"ctrlNombre", typed.nombre);
        if (facts().hasAreaCode()) script.Type(u"ctrlCodigoTel", typed.codigoTel);
    }
    // The record of that level stored under `key`, loaded afresh; empty when none is.
    rt::Ref<IDispatch> Load(Level of, LONG key) const {
        auto record = rt::CreateInstance<IDispatch>(*FactsOf(of).recordClass);
        const rt::Variant loaded =
            rt::CallByName(record.get(), u"LoadRecord", rt::CallType::Method, key, u"",
                           Get(catalog_.catalog(), u"ADOCnn"), LONG{1});
        return loaded.AsBool() ? record : rt::Ref<IDispatch>();
    }
    rt::Ref<IDispatch> Loaded(LONG key) const { return Load(level(), key); }
    LONG ParentKeyOf(const rt::Ref<IDispatch>& record) const {
        if (!facts().parentProperty) return 0;
        return Get(Get(record, facts().parentProperty).AsDispatch(), u"Sys_PK").AsLong();
    }

    rt::Ref<_MundorFx> typedFx_ = fx_.As<_MundorFx>();
    std::vector<browser_test::Stored> stored_;  // México, Jalisco, Guadalajara
    std::vector<rt::Ref<IDispatch>> existing_;  // the same, loaded
    bool scriptFails_ = false;
};

std::string CaseName(const ::testing::TestParamInfo<LevelTest::ParamType>& info) {
    return rt::Utf16ToUtf8(LevelName(std::get<0>(info.param))) +
           (std::get<1>(info.param) == HostCall::Typed ? "PorInterfaz" : "PorNombre");
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelTest,
                         ::testing::Combine(::testing::Values(Level::Pais, Level::EdoProv,
                                                              Level::Ciudad),
                                            ::testing::Values(HostCall::Typed, HostCall::ByName)),
                         CaseName);

// OK asks for the first blank field only, spaces counting as blank and a tab not, and moves
// the focus there; what was typed is stored as it stands.
TEST_P(LevelTest, AnAddAsksForEachBlankFieldThenStoresWhatWasTypedUnderTheParent) {
    const Typed typed{u"NV1", u"  Nueva  ", u"\t"};
    ShowScript& script = OnDialog();
    std::vector<MessageBoxShown> asked;
    std::vector<FocusMoved> focused;
    for (const auto& [field, prompt] : facts().prompts) {
        const std::u16string& text = field == u"ctrlCodigo"   ? typed.codigo
                                     : field == u"ctrlNombre" ? typed.nombre
                                                              : typed.codigoTel;
        script.Type(field, u"   ").Click(u"cmdAceptar").Type(field, text);
        toolkit_.user().AnswerMessageBox(ui::vbOK, prompt);
        asked.push_back({prompt, ui::vbInformation, u"Mundor", ui::vbOK});
        focused.push_back({u"dlg" + LevelName(level()), field});
    }
    script.PressAccessKey(u'a');
    rt::Ref<IDispatch> obj;

    EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(true));

    EXPECT_EQ(MessageBoxes(), asked);
    EXPECT_EQ(toolkit_.transcript().Only<FocusMoved>(), focused);
    ASSERT_TRUE(obj);
    const rt::Ref<IDispatch> stored = Loaded(Get(obj, u"Sys_PK").AsLong());
    ASSERT_TRUE(stored) << "the record handed back is not in the catalog";
    EXPECT_EQ(Get(stored, u"Codigo").AsString(), typed.codigo);
    EXPECT_EQ(Get(stored, u"Nombre").AsString(), typed.nombre);
    if (facts().hasAreaCode()) {
        EXPECT_EQ(Get(stored, u"CodigoTel").AsString(), typed.codigoTel);
    }
    EXPECT_EQ(ParentKeyOf(stored), ParentKey().value_or(0));
}

// A host that passes no variable at all still has the add stored.
TEST_P(LevelTest, AnAddWithNoVariableIsStoredAndACancelledOrClosedOneEmptiesTheVariableAgain) {
    const std::size_t before = CountUnderParent();
    ShowScript& saved = OnDialog();
    TypeInto(saved, {u"NV0", u"Sin variable", u"97"});
    saved.Click(u"cmdAceptar");
    ShowScript& cancelled = OnDialog();
    TypeInto(cancelled, {u"NV1", u"Nueva", u"99"});
    cancelled.PressAccessKey(u'C');
    ShowScript& closed = OnDialog();
    TypeInto(closed, {u"NV2", u"Otra", u"98"});
    closed.Close();
    EXPECT_EQ(road().Launch(level(), nullptr, ParentKey()), rt::Variant(true));
    for (int attempt = 0; attempt < 2; ++attempt) {
        rt::Ref<IDispatch> obj;
        EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(false));
        EXPECT_FALSE(obj) << "attempt " << attempt;
    }
    EXPECT_EQ(CountUnderParent(), before + 1);
}

TEST_P(LevelTest, EditsByObjectAndByKeyStoreTheChangeKeepTheParentAndCancelLeavesItAlone) {
    rt::Ref<IDispatch> obj = Existing();
    const LONG key = Key(obj);
    // The fields show the stored record, and the banner the version.
    OnDialog()
        .Run(u"the fields show the record",
             [facts = facts()](ui::Window& dialog) {
                 EXPECT_EQ(dialog.Get<ui::ModuleBanner>(u"axMirel").Property(u"Version"),
                           u"0.9.0.10");
                 EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlCodigo").Value(), facts.stored.codigo);
                 EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlNombre").Value(), facts.stored.nombre);
                 if (facts.hasAreaCode()) {
                     EXPECT_EQ(dialog.Get<ui::TextField>(u"ctrlCodigoTel").Value(),
                               facts.stored.codigoTel);
                 }
             })
        .Type(u"ctrlNombre", u"Cambiado")
        .Click(u"cmdAceptar");
    OnDialog().Type(u"ctrlNombre", u"Otra vez").Click(u"cmdAceptar");
    OnDialog().Type(u"ctrlNombre", u"Descartado").Click(u"cmdCancelar");

    EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(true));
    EXPECT_EQ(obj, Existing()) << "the caller's variable no longer holds its record";
    EXPECT_EQ(Get(Loaded(key), u"Nombre").AsString(), u"Cambiado");
    // By key the dialog gets parent key 0, which loads no parent: the record keeps its own.
    EXPECT_EQ(road().LaunchByKey(level(), key), rt::Variant(true));
    EXPECT_EQ(road().LaunchByKey(level(), key), rt::Variant(false));

    const rt::Ref<IDispatch> stored = Loaded(key);
    EXPECT_EQ(Get(stored, u"Nombre").AsString(), u"Otra vez");
    EXPECT_EQ(ParentKeyOf(stored), ParentKey().value_or(0));
}

// What a host's data library may answer but ours never does. A country's dialog explains every
// ErrorCode but 0, a state's and a city's only those above 0; else the platform's error record is
// shown, when the store left one: never one from before the press.
TEST_P(LevelTest, AnyRefusedOrFailingStoreIsExplainedByItsCodeAndTheDialogStaysOpen) {
    const struct {
        StandInOutcome store;
        std::optional<std::u16string> countryShows, otherShows;
    } stores[] = {
        {{20010, u"Repetido", u"Plataforma"}, u"Repetido", u"Repetido"},
        {{-1, u"Negativo", u""}, u"Negativo", std::nullopt},
        {{-1, u"Negativo", u"Plataforma"}, u"Negativo", u"Plataforma"},
        {{0, u"Cero", u"Plataforma"}, u"Plataforma", u"Plataforma"},
        {{0, u"Cero", u""}, std::nullopt, std::nullopt},
        {{0, u"Error de la base de datos.", u"", E_FAIL},
         u"Error de la base de datos.",
         u"Error de la base de datos."},
    };
    std::vector<MessageBoxShown> shown;
    for (const auto& store : stores) {
        const auto& shows = level() == Level::Pais ? store.countryShows : store.otherShows;
        OnDialog()
            .Run(u"an error from before",
                 [](ui::Window&) { rt::RecordError(rt::RuntimeError(5, u"Antiguo")); })
            .Click(u"cmdAceptar")
            .Click(u"cmdCancelar");
        if (shows) toolkit_.user().AnswerMessageBox(ui::vbOK, *shows);
        if (shows) shown.push_back({*shows, ui::vbOKOnly, u"Mundor", ui::vbOK});
        rt::Ref<IDispatch> obj = NewStandIn(level(), store.store);

        EXPECT_EQ(road().Launch(level(), &obj, ParentKey()), rt::Variant(false));
    }
    EXPECT_EQ(MessageBoxes(), shown);
}

TEST_P(LevelTest, AKeyBasedAddAnswersTheNewKeyAsLongOrIntegerZero) {
    const std::size_t before = CountUnderParent();
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
    EXPECT_EQ(Get(Loaded(added.AsLong()), u"Nombre").AsString(), u"Nueva");
}

TEST_P(LevelTest, AKeyThatDoesNotLoadAnswersFalseWithNoWindowAndNoQuestion) {
    for (const LONG key : {987654, -3}) {
        const rt::Variant result = road().LaunchByKey(level(), key);
        EXPECT_EQ(result.vt(), VT_BOOL);
        EXPECT_FALSE(result.AsBool());
        EXPECT_FALSE(road().DeleteByKey(level(), key));
    }
    EXPECT_TRUE(toolkit_.transcript().Entries().empty()) << Screen();
}

// The launchers and the key-based deletes need the catalog; an object-based delete does not.
TEST_P(LevelTest, AnUnboundFacadeFailsWith91AfterPuttingTheNewRecordInTheVariable) {
    const rt::Ref<IDispatch> leaf = AddLeaf(u"H1");
    fx().SetDataObjects({});
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
    const rt::RuntimeError deleteError = ErrorFrom([&] { road().DeleteByKey(level(), key, 0); });
    EXPECT_EQ(deleteError.number(), rt::err::kObjectNotSet);
    EXPECT_EQ(deleteError.description(), u"Variable de objeto o bloque With no establecida");
    EXPECT_TRUE(road().Delete(level(), leaf, 0));
    EXPECT_TRUE(toolkit_.transcript().Entries().empty()) << Screen();
    EXPECT_FALSE(Exists(leaf));
    EXPECT_TRUE(AllSetUpRecordsExist());
}

TEST_P(LevelTest, ADeleteAsksUnlessToldNotToAndDeletesOnlyWhatTheUserConfirms) {
    const rt::Ref<IDispatch> kept = AddLeaf(u"A1"), byObject = AddLeaf(u"B1"),
                             byKey = AddLeaf(u"C1");
    toolkit_.user()
        .AnswerMessageBox(ui::vbNo)
        .PressDefaultButton()  // Enter: No is the default button
        .AnswerMessageBox(ui::vbNo)
        .AnswerMessageBox(ui::vbYes);

    EXPECT_FALSE(road().Delete(level(), kept));     // Ask left out: True
    EXPECT_FALSE(road().Delete(level(), kept, 1));  // any Ask but 0 is True
    EXPECT_FALSE(road().DeleteByKey(level(), Key(kept)));
    EXPECT_TRUE(road().DeleteByKey(level(), Key(byKey), -1));
    EXPECT_TRUE(road().Delete(level(), byObject, 0));

    EXPECT_THAT(MessageBoxes(),
                ::testing::ElementsAre(kConfirmNo, kConfirmNo, kConfirmNo, kConfirmYes));
    EXPECT_TRUE(Exists(kept));
    EXPECT_FALSE(Exists(byObject));
    EXPECT_FALSE(Exists(byKey));
    EXPECT_TRUE(AllSetUpRecordsExist());
}

// Every failure of a delete ends in the component's error box, with the error's number (a
// negative one keeps its sign) and the member's name, and a False answer.
TEST_P(LevelTest, AFailedDeleteShowsItsErrorInABoxAndAnswersFalse) {
    const rt::Ref<IDispatch> stale = AddLeaf(u"S1");
    ASSERT_TRUE(road().DeleteByKey(level(), Key(stale), 0));  // the row goes, the object stays
    struct Failure {
        rt::Ref<IDispatch> obj;
        std::u16string prompt;
    };
    std::vector<Failure> failures = {
        {stale, u"(20014) Otro usuario eliminó este registro."},
        {NewStandIn(level(), {0, u"Falla del disco", u"", E_FAIL}),
         u"(-2147467259) Falla del disco"},
        {{}, u"(91) Variable de objeto o bloque With no establecida"},
    };
    if (facts().hasChildren) failures.push_back({Existing(), facts().hasChildren});
    std::vector<MessageBoxShown> shown;
    for (const Failure& failure : failures) {
        const std::u16string prompt = failure.prompt + u" [ThisApp.Del" + LevelName(level()) + u"]";
        toolkit_.user().AnswerMessageBox(ui::vbOK, prompt);
        shown.push_back({prompt, ui::vbCritical, u"Mundor", ui::vbOK});
        EXPECT_FALSE(road().Delete(level(), failure.obj, 0)) << rt::Utf16ToUtf8(prompt);
    }
    // By key the record is handed to the same member.
    if (facts().hasChildren) {
        toolkit_.user().AnswerMessageBox(ui::vbOK);
        shown.push_back(shown.back());
        EXPECT_FALSE(road().DeleteByKey(level(), Key(Existing()), 0));
    }
    EXPECT_EQ(MessageBoxes(), shown);
    EXPECT_TRUE(AllSetUpRecordsExist());
}

TEST_P(LevelTest, AnErrorBoxThatCannotShowStillAnswersFalseAndOnlyTheLogKeepsItsError) {
    // Nothing scripted: neither the confirmation nor the error box that reports it can be
    // answered. The run's failure reaches the test through the toolkit.
    scriptFails_ = true;
    const LogCapture log;
    EXPECT_FALSE(road().Delete(level(), Existing()));
    EXPECT_TRUE(toolkit_.failure().has_value());
    const std::vector<std::string> logged = log.TextsOf("facade");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("al mostrar el cuadro de error [ThisApp.Del" +
                             rt::Utf16ToUtf8(LevelName(level())) + "]"),
              std::string::npos)
        << logged[0];
    EXPECT_TRUE(AllSetUpRecordsExist());
}

}  // namespace
}  // namespace mundor::testing
