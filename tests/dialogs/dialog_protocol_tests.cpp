// The dialog protocol the three edit dialogs share, driven member by member as a launcher or
// the browser would, on the headless toolkit, with stand-in records that log every call. Each
// test runs on dlgPais, dlgEdoProv and dlgCiudad.
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
using ::testing::ElementsAreArray;
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

TYPED_TEST(DialogProtocolTest, OnlyAnAddGivenARecordEmptiesItBeforeTheFieldsAreFilled) {
    for (const LONG action : {1, 2, 3, 0, 7}) {
        this->log_->clear();
        this->data_->nombre = u"antes";
        this->dialog_.SetObjects(nullptr, this->record_.get(), action);

        CallLog expected{std::string(TypeParam::kRecord) + ".SetConnection"};
        if (action == 1) expected.push_back(std::string(TypeParam::kRecord) + ".NewRecord");
        for (const std::string& call : TypeParam::FillCalls()) expected.push_back(call);
        EXPECT_EQ(*this->log_, expected) << "action " << action;
        EXPECT_EQ(this->Field(u"ctrlNombre").Value(), action == 1 ? u"" : u"antes");
        EXPECT_EQ(this->dialog_.CurrentAction(), action);
        EXPECT_EQ(this->dialog_.ThisObj(), this->record_);
    }
    // The last step of SetObjects fills the banner with the component's identity.
    auto& banner = this->dialog_.Window().template Get<ui::ModuleBanner>(u"axMirel");
    EXPECT_EQ(banner.Property(u"Nombre"), u"libmundor.tlb");
    EXPECT_EQ(banner.Property(u"Ubicacion"), this->folder_.Text());
    EXPECT_EQ(banner.Property(u"Version"), u"0.9.0.10");
}

TYPED_TEST(DialogProtocolTest, SaveCopiesTheFieldsUntrimmedWithTheParentLoadedWhereItBelongs) {
    TypeParam::SetParentKey(this->dialog_, 7);
    this->dialog_.SetObjects(nullptr, this->record_.get(), 2);
    this->FillEveryField();
    this->Field(u"ctrlNombre").SetValue(u"  n  ");
    this->log_->clear();

    EXPECT_TRUE(this->dialog_.Save());

    CallLog expected = TypeParam::StoreCalls();
    for (std::string& call : expected) {
        if (call.ends_with("put_Nombre=n")) call.replace(call.size() - 1, 1, "  n  ");
    }
    EXPECT_EQ(*this->log_, expected);
    EXPECT_EQ(this->data_->nombre, u"  n  ");
    EXPECT_TRUE(this->Boxes().empty()) << this->Screen();
}

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

TYPED_TEST(DialogProtocolTest, ActionThreeValidatesButNeverCopiesOrStores) {
    this->dialog_.SetObjects(nullptr, this->record_.get(), 3);
    this->log_->clear();
    this->toolkit_.user().PressDefaultButton();
    EXPECT_FALSE(this->dialog_.Save());
    EXPECT_EQ(this->Boxes().size(), 1u) << "validation still runs first";

    this->FillEveryField();
    EXPECT_FALSE(this->dialog_.Save());
    this->dialog_.OkButton();  // the record reports nothing and no error is recorded: no box
    EXPECT_EQ(this->Boxes().size(), 1u) << this->Screen();
    EXPECT_FALSE(this->dialog_.BtnOk());
    EXPECT_THAT(*this->log_, ::testing::Each(::testing::Not(::testing::HasSubstr("put_"))));
    EXPECT_THAT(*this->log_, ::testing::Each(::testing::Not(::testing::HasSubstr("Save"))));
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

TYPED_TEST(DialogProtocolTest, WithoutARecordSetObjectsRefillsFromTheHeldOneAndForgetsTheParent) {
    TypeParam::SetParentKey(this->dialog_, 12);
    this->dialog_.SetObjects(nullptr, this->record_.get(), 1);
    this->dialog_.AddNew();
    this->dialog_.edit();
    EXPECT_EQ(TypeParam::ParentKey(this->dialog_), TypeParam::kHasParent ? 12 : 0);

    this->data_->nombre = u"cambiado";
    this->log_->clear();
    this->dialog_.SetObjects(nullptr, nullptr, 1);
    // No connection handed and no NewRecord, whatever the action: only fill-fields.
    EXPECT_EQ(*this->log_, TypeParam::FillCalls());
    EXPECT_EQ(this->Field(u"ctrlNombre").Value(), u"cambiado");
    EXPECT_EQ(TypeParam::ParentKey(this->dialog_), 0);
}

TYPED_TEST(DialogProtocolTest, ShowObjectRefillsEditDoesNotAndAddNewStartsAfresh) {
    this->dialog_.ShowObject(this->record_.get());
    EXPECT_EQ(*this->log_, TypeParam::FillCalls()) << "ShowObject hands over no connection";
    for (const FieldPrompt& field : TypeParam::Fields()) {
        this->Field(field.field).SetEditable(false);
    }
    this->data_->nombre = u"nuevo";
    this->dialog_.edit();
    EXPECT_EQ(this->dialog_.CurrentAction(), 2);
    EXPECT_EQ(this->Field(u"ctrlNombre").Value(), u"");
    for (const FieldPrompt& field : TypeParam::Fields()) {
        EXPECT_TRUE(this->Field(field.field).Editable()) << rt::Utf16ToUtf8(field.field);
    }
    this->dialog_.ShowObject();
    EXPECT_EQ(this->Field(u"ctrlNombre").Value(), u"nuevo");

    this->dialog_.AddNew();
    EXPECT_EQ(this->dialog_.CurrentAction(), 1);
    EXPECT_EQ(this->Field(u"ctrlNombre").Value(), u"");
    EXPECT_EQ(this->log_->at(this->log_->size() - TypeParam::FillCalls().size() - 1),
              std::string(TypeParam::kRecord) + ".NewRecord");
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
