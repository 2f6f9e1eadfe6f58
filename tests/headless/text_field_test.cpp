// The titled text field keeps its text exactly; the scripted user types like a person would.
#include <string>

#include "test_form.h"

namespace mundor::ui::headless::testing {
namespace {

class TextFieldTest : public HeadlessTest {
  protected:
    TextField& field(std::u16string_view name) { return logic_.window().Get<TextField>(name); }
    TestLogic logic_;
};

TEST_F(TextFieldTest, KeepsWhatCodeSetsExactly) {
    const std::u16string texts[] = {
        u"  Ñandú, São Paulo, Zürich  ",
        u"\U0001D11E clave \U0001F600",       // characters outside the BMP
        std::u16string(u"a\0b", 3),           // an embedded NUL
        std::u16string(1, char16_t{0xD800}),  // a lone surrogate
        u"",
        std::u16string(5000, u'é'),
    };
    for (const std::u16string& text : texts) {
        field(u"ctrlNombre").SetValue(text);
        EXPECT_EQ(field(u"ctrlNombre").Value(), text);
    }
    field(u"ctrlCodigo").SetValue(u"MUCHO MÁS DE OCHO");
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"MUCHO MÁS DE OCHO") << "max limits typing only";
}

TEST_F(TextFieldTest, StartsWithItsStoredValueAndEditable) {
    EXPECT_EQ(field(u"ctrlNota").Value(), u"inicial");
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"");
    EXPECT_TRUE(field(u"ctrlNombre").Editable());
    field(u"ctrlNombre").SetEditable(false);
    EXPECT_FALSE(field(u"ctrlNombre").Editable());
}

TEST_F(TextFieldTest, TypedTextReachesTheFieldExactlyAndReplacesWhatWasThere) {
    const std::u16string typed = u"  Ciudad de México \U0001F30E ";
    user()
        .OnShow(u"dlgPrueba")
        .Type(u"ctrlNota", typed)
        .Type(u"ctrlNombre", u"Jalisco")
        .Type(u"ctrlNombre", u"Colima")
        .Click(u"cmdAceptar");
    logic_.clicks[u"cmdAceptar"] = [&](Button&) { logic_.window().Hide(); };

    logic_.window().ShowModal();

    EXPECT_EQ(field(u"ctrlNota").Value(), typed);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Colima");
    const auto typing = transcript().Only<UserActed>();
    ASSERT_EQ(typing.size(), 4u);
    EXPECT_EQ(typing[0],
              (UserActed{u"dlgPrueba", UserActionKind::Type, u"ctrlNota", kNoIndex, typed}));
}

TEST_F(TextFieldTest, TypingStopsAtTheMaximumLengthWithoutSplittingACharacter) {
    user()
        .OnShow(u"dlgPrueba")
        .Type(u"ctrlCodigo", u"ABCDEFGHIJ")
        .Run(u"check", [&](Window&) { EXPECT_EQ(field(u"ctrlCodigo").Value(), u"ABCDEFGH"); })
        .Type(u"ctrlCodigo", u"ABCDEFG\U0001F600")
        .Click(u"cmdAceptar");
    logic_.clicks[u"cmdAceptar"] = [&](Button&) { logic_.window().Hide(); };

    logic_.window().ShowModal();

    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"ABCDEFG");
}

TEST_F(TextFieldTest, TheUserCannotTypeIntoAFieldThatIsNotEditable) {
    field(u"ctrlNombre").SetEditable(false);
    user().OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"Jalisco").Click(u"cmdAceptar");

    const rt::RuntimeError error = ErrorFrom([&] { logic_.window().ShowModal(); });

    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"not editable"), std::u16string::npos);
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"");
}

}  // namespace
}  // namespace mundor::ui::headless::testing
