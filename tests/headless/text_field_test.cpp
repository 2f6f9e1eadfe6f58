// The titled text field keeps what code sets; the scripted user types like a person would, under
// the field's length limit and letter case.
#include <string>

#include "headless_test.h"
#include "runtime/bstr.h"

namespace mundor::ui::headless::testing {
namespace {

class TextFieldTest : public HeadlessTest {
  protected:
    TextFieldTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { logic_.window().Hide(); };
    }
    TextField& field(std::u16string_view name) { return logic_.window().Get<TextField>(name); }
    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(TextFieldTest, TypedTextReachesAFieldWithoutRulesExactlyAndReplacesWhatWasThere) {
    const std::u16string typed = u"  Ciudad de México \U0001F30E ";
    user()
        .OnShow(u"dlgPrueba")
        .Type(u"ctrlCodigoTel", typed)
        .Type(u"ctrlNombre", u"Jalisco")
        .Type(u"ctrlNombre", u"Colima")
        .Click(u"cmdAceptar");

    logic_.window().ShowModal();

    EXPECT_EQ(field(u"ctrlCodigoTel").Value(), typed);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Colima");
    const auto typing = transcript().Only<UserActed>();
    ASSERT_EQ(typing.size(), 4u);
    EXPECT_EQ(typing[0],
              (UserActed{u"dlgPrueba", UserActionKind::Type, u"ctrlCodigoTel", kNoIndex, typed}));
}

TEST_F(TextFieldTest, TypingIntoTheCodeFieldLeavesWhatItLeavesOnEveryToolkit) {
    for (const Typing& typing : CodeFieldTypings()) {
        SCOPED_TRACE(rt::Utf16ToUtf8(typing.typed));
        user().OnShow(u"dlgPrueba").Type(u"ctrlCodigo", typing.typed).Click(u"cmdAceptar");
        logic_.window().ShowModal();
        EXPECT_EQ(field(u"ctrlCodigo").Value(), typing.left);
    }
}

TEST_F(TextFieldTest, TheUserCannotTypeIntoAFieldThatIsNotEditable) {
    field(u"ctrlNombre").SetEditable(false);
    user().OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"Jalisco").Click(u"cmdAceptar");

    const rt::RuntimeError error = ErrorFrom([&] { logic_.window().ShowModal(); });

    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"no es editable"), std::u16string::npos);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"");
}

}  // namespace
}  // namespace mundor::ui::headless::testing
