// The message box on the headless toolkit: the title it shows, the refused styles, and the
// scripted answers that cannot answer it.
#include <functional>
#include <string>

#include "headless_test.h"
#include "runtime/text.h"

namespace mundor::ui::headless::testing {
namespace {

using MessageBoxTest = HeadlessTest;

TEST(MessageBoxStyleTest, AStyleWithUnknownPartsIsAnInvalidCall) {
    // Unknown buttons, an unknown icon, bits past the default button, a negative style.
    for (const LONG style : {6, 80, 0x10000, -1}) {
        EXPECT_EQ(ErrorFrom([=] { DescribeStyle(style); }).number(), rt::err::kInvalidCall)
            << style;
    }
}

TEST_F(MessageBoxTest, ABoxWithoutATitleShowsTheCallersApplicationTitle) {
    rt::AppObject other;
    other.Title = u"Otra Aplicación";
    user().AnswerMessageBox(vbOK).AnswerMessageBox(vbOK).AnswerMessageBox(vbOK);

    MsgBox(SampleApp(), u"uno");
    MsgBox(other, u"dos", 16);
    MsgBox(other, u"tres", 16, u"");

    const auto boxes = transcript().Only<MessageBoxShown>();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, u"Mundor");
    EXPECT_EQ(boxes[1].title, u"Otra Aplicación");
    EXPECT_EQ(boxes[2].title, u"") << "an empty title given is a title of its own";
}

TEST(MessageBoxScriptTest, ABoxTheScriptCannotAnswerIsAScriptFailureAndIsStillRecorded) {
    const struct {
        std::function<void(ScriptedUser&)> plan;
        std::u16string says;
    } cases[] = {
        {[](ScriptedUser&) {}, u"sin una respuesta en el guion"},
        {[](ScriptedUser& user) { user.AnswerMessageBox(vbYes); }, u"no es un botón"},
        {[](ScriptedUser& user) { user.AnswerMessageBox(vbOK, u"Introduzca código del pais"); },
         u"donde el guion esperaba 'Introduzca código del pais'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(rt::Utf16ToUtf8(c.says));
        HeadlessToolkit toolkit;
        const ScopedThreadToolkit installed(toolkit);
        c.plan(toolkit.user());

        const rt::RuntimeError error =
            ErrorFrom([] { MsgBox(SampleApp(), u"Introduzca codigo de área", 64); });

        EXPECT_EQ(error.number(), kScriptFailure);
        EXPECT_NE(error.description().find(c.says), std::u16string::npos);
        EXPECT_NE(error.description().find(u"'Introduzca codigo de área'"), std::u16string::npos);
        EXPECT_EQ(toolkit.transcript().Only<MessageBoxShown>(),
                  (std::vector<MessageBoxShown>{{u"Introduzca codigo de área", 64, u"Mundor", 0}}));
        EXPECT_TRUE(toolkit.failure().has_value());
    }
}

TEST_F(MessageBoxTest, AfterAScriptFailureEveryLaterBoxRaisesTheSameFailure) {
    ErrorFrom([] { MsgBox(SampleApp(), u"primero"); });
    user().AnswerMessageBox(vbOK);

    const rt::RuntimeError again = ErrorFrom([] { MsgBox(SampleApp(), u"segundo"); });

    EXPECT_EQ(again.number(), kScriptFailure);
    EXPECT_NE(again.description().find(u"primero"), std::u16string::npos);
    EXPECT_FALSE(user().AllUsed()) << "the later box must not consume the answer";
}

}  // namespace
}  // namespace mundor::ui::headless::testing
