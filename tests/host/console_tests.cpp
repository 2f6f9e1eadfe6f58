// The member console offers the whole component, and every call shows what came back: the value
// with its kind, or the error with its number and text, through either road.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/member_controls.h"
#include "host_fixture.h"
#include "modal_answerer.h"
#include "modal_driver.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::host::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// The public members of _MundorFx, as its interface description lists them.
const QStringList kPublicMembers{
    "LastErrorCode",      "LastErrorDescrip", "DataObjects",        "DelCiudad",
    "DelCiudad_BySysPK",  "dlgCiudad",        "dlgCiudad_BySysPK",  "DelEdoProv",
    "DelEdoProv_BySysPK", "dlgEdoProv",       "dlgEdoProv_BySysPK", "DelPais",
    "DelPais_BySysPK",    "dlgPais",          "dlgPais_BySysPK",    "ExplorerCountry",
    "SetDataObjects"};

std::string RouteName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "PorNombre" : "PorInterfaz";
}

INSTANTIATE_TEST_SUITE_P(Roads, ConsoleCallsTest, ::testing::Bool(), RouteName);

QString LastLogLine(QWidget& window) {
    const auto* log = window.findChild<QPlainTextEdit*>(QStringLiteral("callLog"));
    return log ? log->toPlainText().split(QLatin1Char('\n')).last() : QString();
}

TEST_F(ConsoleTest, OffersAControlForEveryPublicMemberAndNoOther) {
    QSet<QString> offered;
    for (const auto* button : window().findChildren<QPushButton*>()) {
        const QString member = button->property(kMemberProperty).toString();
        if (member.isEmpty()) continue;
        offered.insert(member);
        // A member the component does not have would raise 438 here.
        EXPECT_NO_THROW(rt::DispIdOf(fx_.get(), member.toStdU16String())) << Text(member);
    }
    for (const QString& member : kPublicMembers) {
        EXPECT_TRUE(offered.contains(member)) << "no control for " << Text(member);
    }
    for (const char* side : {"get_LastErrorCode", "let_LastErrorCode", "get_LastErrorDescrip",
                             "let_LastErrorDescrip", "get_DataObjects"}) {
        EXPECT_NE(window().findChild<QPushButton*>(side), nullptr) << side;
    }
}

TEST_F(ConsoleTest, AnObjectKeyThatLoadsNothingIsToldWithoutCallingTheMember) {
    ModalAnswerer answerer;
    SetNumber(QStringLiteral("DelCiudad.Obj"), 31337);
    Click(QStringLiteral("DelCiudad"));
    EXPECT_THAT(Text(Result()), StartsWith("Error 3021: "));
    EXPECT_THAT(Text(Result()), HasSubstr("Ciudad con Sys_PK 31337"));
    EXPECT_TRUE(answerer.boxes().empty()) << "the component was called and asked the user";
}

// "Explorar países…" opens the component's browser over the host's catalog.
TEST_F(ConsoleTest, ExplorerCountryOpensTheBrowserOverTheHostsCatalog) {
    Sql("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('ZZ', 'Zembla', '7')");
    QString shown;
    QString firstCountry;
    ModalAnswerer answerer;
    answerer.Then([&](QWidget& browser) {
        shown = browser.windowTitle();
        auto* tree = browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"));
        if (tree && tree->topLevelItem(0)) firstCountry = tree->topLevelItem(0)->text(0);
        ui::qt::testing::ClickButton(browser, QStringLiteral("cmdCerrar"));
    });
    Click(QStringLiteral("ExplorerCountry"));
    EXPECT_EQ(Text(Result()), "Listo");
    EXPECT_EQ(shown, QStringLiteral("Explorar Paises"));
    EXPECT_EQ(Text(firstCountry), "(7) Zembla");
    EXPECT_TRUE(answerer.unexpected().isEmpty()) << Text(answerer.unexpected().join(", "));
}

TEST_P(ConsoleCallsTest, StoresAndReadsBackTheErrorProperties) {
    SetNumber(QStringLiteral("LastErrorCode.value"), 7);
    Click(QStringLiteral("let_LastErrorCode"));
    SetNumber(QStringLiteral("LastErrorCode.value"), 0);
    Click(QStringLiteral("get_LastErrorCode"));
    EXPECT_EQ(Text(Result()), "Long: 7");

    SetText(QStringLiteral("LastErrorDescrip.value"), QStringLiteral("Sin conexión"));
    Click(QStringLiteral("let_LastErrorDescrip"));
    Click(QStringLiteral("get_LastErrorDescrip"));
    EXPECT_EQ(Text(Result()), "String: \"Sin conexión\"");

    const char* road = GetParam() ? "[por nombre] " : "[interfaz] ";
    EXPECT_EQ(Text(LastLogLine(window())),
              std::string(road) + "LastErrorDescrip → String: \"Sin conexión\"");
    // The other road sees the same instance.
    EXPECT_EQ(rt::CallByName(fx_.get(), u"LastErrorCode", rt::CallType::Get).AsLong(), 7);
}

TEST_P(ConsoleCallsTest, UnbindingTheCatalogMakesTheKeyBasedDeleteFailTowardsTheHost) {
    Click(QStringLiteral("get_DataObjects"));
    EXPECT_EQ(Text(Result()), "Object: Catalog");
    Click(QStringLiteral("SetDataObjects.Nothing"));
    Click(QStringLiteral("get_DataObjects"));
    EXPECT_EQ(Text(Result()), "Nothing");

    ModalAnswerer answerer;
    SetNumber(QStringLiteral("DelPais_BySysPK.Sys_PK"), 1);
    Click(QStringLiteral("DelPais_BySysPK"));
    EXPECT_THAT(Text(Result()), StartsWith("Error 91: "));
    EXPECT_TRUE(answerer.boxes().empty());

    Click(QStringLiteral("SetDataObjects"));
    Click(QStringLiteral("get_DataObjects"));
    EXPECT_EQ(Text(Result()), "Object: Catalog");
}

TEST_P(ConsoleCallsTest, ADeleteOfNothingShowsTheComponentsErrorBoxAndAnswersFalse) {
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("Aceptar"));
    SetAsk(false);
    SetNumber(QStringLiteral("DelPais.Obj"), 0);
    Click(QStringLiteral("DelPais"));

    EXPECT_EQ(Text(Result()), "Boolean: False");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    const SeenBox& box = answerer.boxes().front();
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(Text(box.title), "Mundor");
    EXPECT_THAT(Text(box.text), StartsWith("(91) "));
    EXPECT_THAT(Text(box.text), EndsWith(" [ThisApp.DelPais]"));
}

TEST_P(ConsoleCallsTest, KeyBasedLauncherWithAKeyThatDoesNotLoadAnswersFalseWithoutAWindow) {
    ModalAnswerer answerer;
    SetNumber(QStringLiteral("dlgEdoProv_BySysPK.Sys_PK"), 424242);
    Click(QStringLiteral("dlgEdoProv_BySysPK"));
    EXPECT_EQ(Text(Result()), "Boolean: False");
    EXPECT_TRUE(answerer.unexpected().isEmpty());
}

}  // namespace
}  // namespace mundor::host::testing
