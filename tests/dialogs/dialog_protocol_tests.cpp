// The dialog protocol the three edit dialogs share, on the headless toolkit, with stand-in
// records that log every call and answer what a host's data library may answer but this one
// never does: any error code, a store that raises. What the launchers reach with real records
// is tested through them (tests/facade). Each test runs on dlgPais, dlgEdoProv and dlgCiudad.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "contracts/ui/message_box.h"
#include "dialog_cases.h"
#include "error_from.h"
#include "runtime/error.h"
#include "temp_folder.h"
#include "ui/headless/headless_toolkit.h"

namespace mundor::dialogs::testing {
namespace {

using mundor::testing::ErrorFrom;

using ::testing::ElementsAre;
using ui::headless::FocusMoved;
using ui::headless::MessageBoxShown;

template <class Case>
class DialogProtocolTest : public ::testing::Test {
  protected:
    using Dialog = typename Case::Dialog;

    DialogProtocolTest() {
        folder_.AddFile("libmundor.tlb");
        data_->name = Case::kRecord;
        data_->log = log_;
        record_ = Case::NewRecord(data_);
    }

    rt::AppObject App() const {
        return {.Title = u"Mundor",
                .Path = folder_.Text(),
                .EXEName = u"libmundor",
                .Major = 0,
                .Minor = 9,
                .Revision = 10};
    }
    ui::TextField& Field(std::u16string_view name) {
        return dialog_.Window().template Get<ui::TextField>(name);
    }
    // Code "c", name "n", area code "t" (where the dialog has one).
    void FillEveryField() {
        for (const FieldPrompt& field : Case::Fields()) {
            Field(field.field)
                .SetValue(field.field == u"ctrlCodigo"   ? u"c"
                          : field.field == u"ctrlNombre" ? u"n"
                                                         : u"t");
        }
    }
    std::vector<MessageBoxShown> Boxes() const {
        return toolkit_.transcript().template Only<MessageBoxShown>();
    }
    std::string Screen() const { return toolkit_.transcript().Text(); }

    mundor::test::TempFolder folder_;
    ui::headless::HeadlessToolkit toolkit_;
    ui::ScopedThreadToolkit installed_{toolkit_};
    std::shared_ptr<CallLog> log_ = std::make_shared<CallLog>();
    std::shared_ptr<SpyData> data_ = std::make_shared<SpyData>();
    rt::Ref<typename Dialog::Record> record_;
    Dialog dialog_{App()};
};

using Dialogs = ::testing::Types<PaisCase, EdoProvCase, CiudadCase>;

struct CaseName {
    template <class Case>
    static std::string GetName(int) {
        return Case::kRecord;
    }
};
TYPED_TEST_SUITE(DialogProtocolTest, Dialogs, CaseName);

TYPED_TEST(DialogProtocolTest, ValidationAsksForTheFirstBlankFieldOnlyAndFocusesIt) {
    this->dialog_.SetObjects(nullptr, this->record_.get(), 2);
    const std::vector<FieldPrompt> fields = TypeParam::Fields();
    for (std::size_t blank = 0; blank < fields.size(); ++blank) {
        this->FillEveryField();
        // Spaces count as empty; a tab does not, and every field after the blank one is empty.
        this->Field(fields[blank].field).SetValue(u"   ");
        for (std::size_t later = blank + 1; later < fields.size(); ++later) {
            this->Field(fields[later].field).SetValue(u"");
        }
        this->log_->clear();
        const std::size_t boxesBefore = this->Boxes().size();
        this->toolkit_.user().PressDefaultButton();

        EXPECT_FALSE(this->dialog_.Save());

        ASSERT_EQ(this->Boxes().size(), boxesBefore + 1) << this->Screen();
        EXPECT_EQ(this->Boxes().back(),
                  (MessageBoxShown{fields[blank].prompt, ui::vbInformation, u"Mundor", ui::vbOK}));
        const auto focus = this->toolkit_.transcript().template Only<FocusMoved>();
        ASSERT_FALSE(focus.empty());
        EXPECT_EQ(focus.back(), (FocusMoved{TypeParam::kWindow, fields[blank].field}));
        EXPECT_TRUE(this->log_->empty()) << "copied or stored after a refused validation";
        EXPECT_EQ(this->Field(fields[blank].field).Value(), u"   ");
    }
    this->FillEveryField();
    this->Field(u"ctrlCodigo").SetValue(u"\t");
    EXPECT_TRUE(this->dialog_.Validate());
}

// A refused store: what OK shows, by the record's ErrorCode and the platform's error record.
struct Refusal {
    LONG code;
    std::u16string description;
    std::u16string platformError;
    std::optional<std::u16string> countryShows;  // dlgPais: any code but 0 is explained
    std::optional<std::u16string> otherShows;    // dlgEdoProv, dlgCiudad: codes above 0 only
};

TYPED_TEST(DialogProtocolTest, ARefusedStoreIsExplainedByItsCodeAndTheDialogStaysOpen) {
    const std::vector<Refusal> refusals = {
        {20010, u"Duplicado", u"", u"Duplicado", u"Duplicado"},
        {-1, u"Negativo", u"", u"Negativo", std::nullopt},
        {-1, u"Negativo", u"Plataforma", u"Negativo", u"Plataforma"},
        {0, u"Cero", u"Plataforma", u"Plataforma", u"Plataforma"},
        {0, u"Cero", u"", std::nullopt, std::nullopt},
    };
    this->dialog_.SetObjects(nullptr, this->record_.get(), 2);
    this->FillEveryField();
    for (const Refusal& refusal : refusals) {
        this->data_->save = {false, refusal.code, refusal.description, refusal.platformError};
        const auto& expected = TypeParam::kHasParent ? refusal.otherShows : refusal.countryShows;
        if (expected) this->toolkit_.user().PressDefaultButton();
        const std::size_t boxesBefore = this->Boxes().size();
        this->dialog_.OkButton();

        const std::vector<MessageBoxShown> boxes = this->Boxes();
        if (expected) {
            ASSERT_EQ(boxes.size(), boxesBefore + 1) << "code " << refusal.code;
            EXPECT_EQ(boxes.back(),
                      (MessageBoxShown{*expected, ui::vbOKOnly, u"Mundor", ui::vbOK}));
        } else {
            EXPECT_EQ(boxes.size(), boxesBefore) << "code " << refusal.code << "\n"
                                                 << this->Screen();
        }
        EXPECT_FALSE(this->dialog_.BtnOk());
    }
    // An error recorded before the press is not this store's: it is not shown again.
    rt::RecordError(rt::RuntimeError(5, u"Antiguo"));
    this->data_->save = {false, 0, u"", u""};
    const std::size_t boxesBefore = this->Boxes().size();
    this->dialog_.OkButton();
    EXPECT_EQ(this->Boxes().size(), boxesBefore) << this->Screen();

    this->data_->save = {};
    this->dialog_.OkButton();
    EXPECT_TRUE(this->dialog_.BtnOk());
    this->dialog_.CancelButton();
    EXPECT_FALSE(this->dialog_.BtnOk());
}

TYPED_TEST(DialogProtocolTest, AnErrorEscapingTheOkButtonIsShownAndTheDialogStaysOpen) {
    this->dialog_.SetObjects(nullptr, this->record_.get(), 2);
    this->FillEveryField();
    this->data_->save.raises = true;
    this->toolkit_.user()
        .OnShow(TypeParam::kWindow)
        .Click(u"cmdAceptar")
        .Run(u"still open", [](ui::Window& shown) { EXPECT_TRUE(shown.Visible()); })
        .PressAccessKey(u'C');
    this->toolkit_.user().AnswerMessageBox(ui::vbOK, u"Error de la base de datos.");

    this->dialog_.ShowModal();

    EXPECT_THAT(this->Boxes(), ElementsAre(MessageBoxShown{u"Error de la base de datos.",
                                                           ui::vbOKOnly, u"Mundor", ui::vbOK}));
    EXPECT_FALSE(this->dialog_.BtnOk());
    EXPECT_TRUE(this->toolkit_.user().AllUsed());
}

TYPED_TEST(DialogProtocolTest, SetObjectsRefusesARecordOfAnotherKindAfterKeepingTheAction) {
    auto other = std::make_shared<SpyData>();
    other->name = "Otro";
    other->log = this->log_;
    const rt::Ref<IDispatch> wrongKind = TypeParam::kHasParent
                                             ? rt::Ref<IDispatch>(NewSpyPais(other))
                                             : rt::Ref<IDispatch>(NewSpyCiudad(other));
    EXPECT_EQ(ErrorFrom([&] { this->dialog_.SetObjects(nullptr, wrongKind.get(), 3); }).number(),
              rt::err::kTypeMismatch);
    EXPECT_EQ(this->dialog_.CurrentAction(), 3);
    EXPECT_FALSE(this->dialog_.ThisObj());
    // With no record given and none held, fill-fields has nothing to read.
    EXPECT_EQ(ErrorFrom([&] { this->dialog_.SetObjects(nullptr, nullptr, 2); }).number(),
              rt::err::kObjectNotSet);
}

}  // namespace
}  // namespace mundor::dialogs::testing
