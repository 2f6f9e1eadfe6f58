// The message box: what each style shows, the default title, and the scripted answers.
#include <string>

#include "headless_test.h"

namespace mundor::ui::headless::testing {
namespace {

using MessageBoxTest = HeadlessTest;

TEST(MessageBoxStyleTest, TheFourStylesOfTheComponentShowTheirIconButtonsAndDefault) {
    EXPECT_EQ(DescribeStyle(0), (MessageBoxLook{MessageIcon::None, {vbOK}, vbOK}));
    EXPECT_EQ(DescribeStyle(16), (MessageBoxLook{MessageIcon::Critical, {vbOK}, vbOK}));
    EXPECT_EQ(DescribeStyle(64), (MessageBoxLook{MessageIcon::Information, {vbOK}, vbOK}));
    EXPECT_EQ(DescribeStyle(308), (MessageBoxLook{MessageIcon::Exclamation, {vbYes, vbNo}, vbNo}));
    EXPECT_EQ(vbYesNo + vbExclamation + vbDefaultButton2, 308);
}

TEST(MessageBoxStyleTest, AStyleWithUnknownPartsIsAnInvalidCall) {
    EXPECT_EQ(ErrorFrom([] { DescribeStyle(6); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(ErrorFrom([] { DescribeStyle(80); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(ErrorFrom([] { DescribeStyle(0x10000); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(ErrorFrom([] { DescribeStyle(-1); }).number(), rt::err::kInvalidCall);
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

TEST_F(MessageBoxTest, ABoxWithNoScriptedAnswerRaisesAndIsStillRecorded) {
    const rt::RuntimeError error =
        ErrorFrom([] { MsgBox(SampleApp(), u"El elemento a eliminar no esta vacio", 16); });

    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"El elemento a eliminar no esta vacio"),
              std::u16string::npos);
    EXPECT_NE(error.description().find(u"sin una respuesta en el guion"), std::u16string::npos);
    EXPECT_EQ(transcript().Only<MessageBoxShown>(),
              (std::vector<MessageBoxShown>{
                  {u"El elemento a eliminar no esta vacio", 16, u"Mundor", 0}}));
    ASSERT_TRUE(toolkit_.failure().has_value());
}

TEST_F(MessageBoxTest, AnAnswerThatIsNotOneOfTheBoxButtonsIsAScriptFailure) {
    user().AnswerMessageBox(vbYes);
    const rt::RuntimeError error =
        ErrorFrom([] { MsgBox(SampleApp(), u"Introduzca codigo de área", 64); });
    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"no es un botón"), std::u16string::npos);
}

TEST_F(MessageBoxTest, AnAnswerPlannedForAnotherPromptIsAScriptFailure) {
    user().AnswerMessageBox(vbOK, u"Introduzca código del pais");
    const rt::RuntimeError error =
        ErrorFrom([] { MsgBox(SampleApp(), u"Introduzca codigo de área", 64); });
    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"Introduzca código del pais"), std::u16string::npos);
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
