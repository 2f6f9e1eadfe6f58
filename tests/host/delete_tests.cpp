// Deletes through the host's window, with the component's confirmation box answered by the test
// as a user answers it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_fixture.h"
#include "modal_answerer.h"

namespace mundor::host::testing {
namespace {

using ::testing::HasSubstr;

std::string Text(const QString& text) {
    return text.toStdString();
}

TEST_P(HostCallsTest, DeleteByKeyAsksFirstAndDeletesOnYes) {
    const LONG key = KeyOf(*AddPais(u"ZZ", u"Zembla"));
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("&Sí"));
    SetAsk(true);
    SetNumber(QStringLiteral("DelPais_BySysPK.Sys_PK"), key);
    Click(QStringLiteral("DelPais_BySysPK"));

    EXPECT_EQ(Text(Result()), "Boolean: True");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    const SeenBox& box = answerer.boxes().front();
    EXPECT_EQ(Text(box.text), "¿Seguro desea eliminar este elemento?");
    EXPECT_EQ(Text(box.title), "Mundor");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(Text(box.defaultButton), "&No");
    EXPECT_FALSE(Exists(Level::kPais, key));
    EXPECT_THAT(Text(Status()), HasSubstr("0 países"));
}

TEST_P(HostCallsTest, DeleteByKeyKeepsTheRecordWhenTheUserSaysNo) {
    const LONG key = KeyOf(*AddPais(u"ZZ", u"Zembla"));
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("&No"));
    SetNumber(QStringLiteral("DelPais_BySysPK.Sys_PK"), key);
    Click(QStringLiteral("DelPais_BySysPK"));

    EXPECT_EQ(Text(Result()), "Boolean: False");
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_TRUE(Exists(Level::kPais, key));
}

TEST_P(HostCallsTest, DeleteByObjectWithoutAskDeletesWithoutABox) {
    auto pais = AddPais(u"ZZ", u"Zembla");
    const LONG key = KeyOf(*AddEdoProv(*pais, u"N", u"Norte"));
    ModalAnswerer answerer;
    SetAsk(false);
    SetNumber(QStringLiteral("DelEdoProv.Obj"), key);
    Click(QStringLiteral("DelEdoProv"));

    EXPECT_EQ(Text(Result()), "Boolean: True");
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_FALSE(Exists(Level::kEdoProv, key));
    EXPECT_TRUE(Exists(Level::kPais, KeyOf(*pais)));
}

}  // namespace
}  // namespace mundor::host::testing
