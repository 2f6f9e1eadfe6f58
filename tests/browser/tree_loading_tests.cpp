// The browser's tree, end to end: a host opens the browser with ExplorerCountry over a real
// catalog, and the scripted user expands, selects, looks at the tree and closes the window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "contracts/ui/ui_errors.h"
#include "runtime/bstr.h"
#include "tree_outline.h"

namespace browser_test {
namespace {

namespace rt = mundor::rt;
namespace ui = mundor::ui;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TreeLoading : public BrowserTest {};

// A first expansion reads the children in the view's order (by name, not as stored), each state
// with a placeholder and no city with one. A level once read is not read again while the browser
// shows, whatever another user stores meanwhile; but a state whose only city has no name looks
// unread, and is read again.
TEST_F(TreeLoading, AFirstExpansionReadsTheChildrenASecondNothingButBelowAnUnnamedOnlyCity) {
    const Stored mexico = catalog_.AddPais(u"MX", u"México", u"52");
    const Stored jalisco = catalog_.AddEdoProv(mexico.pk, u"JAL", u"Jalisco");
    const Stored baja = catalog_.AddEdoProv(mexico.pk, u"BC", u"Baja California");
    const Stored zapopan = catalog_.AddCiudad(jalisco.pk, u"ZAP", u"Zapopan");
    const Stored guadalajara = catalog_.AddCiudad(jalisco.pk, u"GDL", u"Guadalajara");
    const Stored unnamed = catalog_.AddCiudad(baja.pk, u"C1", u"");
    Stored ensenada;
    std::vector<std::string> first, second, reopened;
    OnBrowser()
        .ExpandNode(u"tvwPaises", Sys(mexico))
        .ExpandNode(u"tvwPaises", Edo(jalisco))
        .Run(u"look at the tree", LookAtTree(first))
        .ExpandNode(u"tvwPaises", Edo(baja))
        .CollapseNode(u"tvwPaises", Edo(baja))
        .CollapseNode(u"tvwPaises", Sys(mexico))
        .Run(u"another user adds a state and a city",
             [&](ui::Window&) {
                 catalog_.AddEdoProv(mexico.pk, u"COL", u"Colima");
                 ensenada = catalog_.AddCiudad(baja.pk, u"ENS", u"Ensenada");
             })
        .ExpandNode(u"tvwPaises", Sys(mexico))
        .ExpandNode(u"tvwPaises", Edo(baja))
        .Run(u"look at the tree", LookAtTree(second))
        .Click(u"cmdCerrar");
    ExplorerCountry();
    const std::string country = Line(0, Sys(mexico), u"(52) México");
    const std::string state = Line(1, Edo(baja), u"Baja California");
    const std::string other = Line(1, Edo(jalisco), u"Jalisco");
    const std::string cities[] = {Line(2, Cty(guadalajara), u"Guadalajara"),
                                  Line(2, Cty(zapopan), u"Zapopan")};
    EXPECT_THAT(first,
                ElementsAre(country, state, PlaceholderLine(2), other, cities[0], cities[1]));
    EXPECT_THAT(second,
                ElementsAre(country, state, Line(2, Cty(unnamed), u""),
                            Line(2, Cty(ensenada), u"Ensenada"), other, cities[0], cities[1]));
    EXPECT_THAT(MessageBoxes(), IsEmpty());

    // A browser opened afterwards reads the catalog afresh and shows the new state.
    OnBrowser()
        .ExpandNode(u"tvwPaises", Sys(mexico))
        .Run(u"look at the tree", LookAtTree(reopened))
        .Click(u"cmdCerrar");
    ExplorerCountry();
    EXPECT_EQ(reopened.size(), 7u) << ::testing::PrintToString(reopened);
}

// A key loses every occurrence of its level's prefix, written in that exact case, before the rest
// is taken for the record's identifier: "SysA-Sys-B" stands for the country "A--B", "EDOX-EDO-Y"
// for the state "X--Y". Equal identifiers at different levels still give distinct keys.
TEST_F(TreeLoading, KeysAreDistinctPerLevelAndLoseEveryOccurrenceOfTheirPrefix) {
    catalog_.InsertPais(u"MISMO", u"Mismolandia", u"99");
    catalog_.InsertEdoProv(u"MISMO", u"MISMO", u"Estado Mismo");
    catalog_.InsertCiudad(u"MISMO", u"MISMO", u"Ciudad Misma");
    catalog_.InsertPais(u"A-Sys-B", u"Primero", u"1");
    catalog_.InsertEdoProv(u"A-Sys-B", u"E-1", u"Estado del primero");
    catalog_.InsertPais(u"A--B", u"Segundo", u"2");
    catalog_.InsertEdoProv(u"A--B", u"E-2", u"Estado del segundo");
    catalog_.InsertPais(u"A-sys-B", u"Tercero", u"3");
    catalog_.InsertEdoProv(u"A-sys-B", u"E-3", u"Estado del tercero");
    catalog_.InsertPais(u"P", u"País", u"7");
    catalog_.InsertEdoProv(u"P", u"X-EDO-Y", u"Con EDO dentro");
    catalog_.InsertCiudad(u"X-EDO-Y", u"C-1", u"Ciudad propia");
    catalog_.InsertEdoProv(u"P", u"X--Y", u"Sin EDO");
    catalog_.InsertCiudad(u"X--Y", u"C-2", u"Ciudad del otro");
    std::vector<std::string> outline;
    OnBrowser()
        .ExpandNode(u"tvwPaises", u"SysMISMO")
        .ExpandNode(u"tvwPaises", u"EDOMISMO")
        .ExpandNode(u"tvwPaises", u"SysA-Sys-B")
        .ExpandNode(u"tvwPaises", u"SysA-sys-B")
        .ExpandNode(u"tvwPaises", u"SysP")
        .ExpandNode(u"tvwPaises", u"EDOX-EDO-Y")
        .Run(u"look at the tree", LookAtTree(outline))
        .Click(u"cmdCerrar");
    ExplorerCountry();
    EXPECT_THAT(
        outline,
        ElementsAre(Line(0, u"SysMISMO", u"(99) Mismolandia"),
                    Line(1, u"EDOMISMO", u"Estado Mismo"), Line(2, u"CTYMISMO", u"Ciudad Misma"),
                    Line(0, u"SysP", u"(7) País"), Line(1, u"EDOX-EDO-Y", u"Con EDO dentro"),
                    Line(2, u"CTYC-2", u"Ciudad del otro"), Line(1, u"EDOX--Y", u"Sin EDO"),
                    PlaceholderLine(2), Line(0, u"SysA-Sys-B", u"(1) Primero"),
                    Line(1, u"EDOE-2", u"Estado del segundo"), PlaceholderLine(2),
                    Line(0, u"SysA--B", u"(2) Segundo"), PlaceholderLine(1),
                    Line(0, u"SysA-sys-B", u"(3) Tercero"),
                    Line(1, u"EDOE-3", u"Estado del tercero"), PlaceholderLine(2)));
}

class TreeLoadingOverLooseIdentifiers : public BrowserTest {
  protected:
    TreeLoadingOverLooseIdentifiers() : BrowserTest(Identifiers::NotUnique) {}
};

TEST_F(TreeLoadingOverLooseIdentifiers, ADuplicateKeyIsReportedAndTheRowsAfterItStillLoad) {
    catalog_.InsertPais(u"DUP", u"Alfa", u"1");
    catalog_.InsertPais(u"DUP", u"Beta", u"2");
    catalog_.InsertPais(u"G", u"Gamma", u"3");
    const std::u16string message =
        FillErrorText(ui::err::kKeyNotUnique, u"La clave no es única en la colección");
    toolkit_.user().AnswerMessageBox(ui::vbOK, message);
    std::vector<std::string> outline;
    OnBrowser().Run(u"look at the tree", LookAtTree(outline)).Click(u"cmdCerrar");

    ExplorerCountry();

    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << transcript().Text();
    EXPECT_EQ(boxes[0].prompt, message);
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(boxes[0].title, u"Mundor");
    // The refused row leaves only its message: no second placeholder under the first country.
    EXPECT_THAT(outline, ElementsAre(Line(0, u"SysDUP", u"(1) Alfa"), PlaceholderLine(1),
                                     Line(0, u"SysG", u"(3) Gamma"), PlaceholderLine(1)));
}

}  // namespace
}  // namespace browser_test
