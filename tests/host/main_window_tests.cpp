// The main window as a catalog keeper uses it: the search as they type, the selected place's
// details, the menus and their keys, the status line and the window's place from one run to the
// next.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_fixture.h"
#include "nubex/backend/location.h"

namespace mundor::host::testing {
namespace {

using ::testing::HasSubstr;

struct SearchCase {
    const char* typed;
    QStringList rows;
    const char* summary;
    const char* details;  // the details panel's fields shown, for the best place
};

TEST_F(MainWindowTest, FindsPlacesAsTheUserTypesRankedWithTheirPathsAndShowsTheBest) {
    const char* const kNone = "Ningún lugar seleccionado.";
    const SearchCase cases[] = {
        {"guadal",
         {"Guadalajara — Jalisco — México | Ciudad"},
         "1 lugar.",
         "Ciudad · Guadalajara · GDL · 33 · Jalisco — México"},
        {"mexico", {"México | País"}, "1 lugar.", "País · México · MX · 52 · —"},
        // A state has no area code. Every kind in its order, a level before the next, by name
        // within it.
        {"gua",
         {"Guanajuato — México | Estado", "Guadalajara — Jalisco — México | Ciudad",
          "Guanajuato — Guanajuato — México | Ciudad", "Guarulhos — São Paulo — Brasil | Ciudad"},
         "4 lugares.",
         "Estado · Guanajuato · GTO · México"},
        {"São",
         {"São Paulo — Brasil | Estado", "São Paulo — São Paulo — Brasil | Ciudad"},
         "2 lugares.",
         "Estado · São Paulo · SP · Brasil"},
        // Exact, then prefix, then a word elsewhere in the name.
        {"sevilla",
         {"Sevilla — Andalucía — España | Ciudad", "Sevilla la Nueva — Andalucía — España | Ciudad",
          "Palacios de Sevilla — Andalucía — España | Ciudad"},
         "3 lugares.",
         "Ciudad · Sevilla · SVQ · 1 · Andalucía — España"},
        {"xyz", {}, "Ningún lugar coincide con «xyz».", kNone},
        {"", {}, "Escriba el nombre o el código de un país, un estado o una ciudad.", kNone},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(QString::fromUtf8(c.typed));
        EXPECT_EQ(Rows(), c.rows) << Text(Rows().join(QStringLiteral(" / ")));
        EXPECT_EQ(Text(Summary()), c.summary);
        // The best place is selected at once, so that its details show and Enter reaches it.
        EXPECT_EQ(SelectedRow(), c.rows.value(0).section(QStringLiteral(" | "), 0, 0));
        QStringList details;
        for (const char* field : {"none", "Nivel", "Nombre", "Codigo", "CodigoTel", "Pertenece"}) {
            if (Detail(field) != QStringLiteral("(oculto)")) details << Detail(field);
        }
        EXPECT_EQ(Text(details.join(QStringLiteral(" · "))), c.details);
    }
    Type(QStringLiteral("gdl"));
    EXPECT_EQ(Detail("Sys_PK").toInt(), KeyOf("Ciudad", "GDL"));
    EXPECT_EQ(Detail("Sys_GUID").size(), 36);
}

struct MenuEntry {
    const char* menu;
    const char* action;
    const char* text;
    const char* keys;  // as the menu shows them
};

// Qt's own texts are Spanish: the keys as the menus show them here, the boxes' buttons the
// command tests press ("&Sí", "&No", "Aceptar").
TEST_F(MainWindowTest, EveryCommandIsInAMenuWithItsKeysAndTheStatusLineNamesTheCatalog) {
    const MenuEntry entries[] = {
        {"&Catálogo", "buscar", "&Buscar", "Control+F"},
        {"&Catálogo", "explorar", "E&xplorar países…", "Control+E"},
        {"&Catálogo", "salir", "&Salir", "Control+Q"},
        {"&Lugar", "nuevoPais", "Nuevo &país…", "Control+Alt+N"},
        {"&Lugar", "nuevoEstado", "Nuevo &estado…", "Control+Mayúsculas+N"},
        {"&Lugar", "nuevaCiudad", "Nueva &ciudad…", "Control+N"},
        {"&Lugar", "modificar", "&Modificar…", "F2"},
        {"&Lugar", "eliminar", "E&liminar…", "Suprimir"},
        {"&Herramientas", "consola", "Consola de &miembros", "Control+M"},
    };
    for (const MenuEntry& entry : entries) {
        SCOPED_TRACE(entry.action);
        const QMenu* menu = nullptr;
        for (QAction* top : window().menuBar()->actions()) {
            if (top->text() == QString::fromUtf8(entry.menu)) menu = top->menu();
        }
        ASSERT_NE(menu, nullptr) << "no menu " << entry.menu;
        const auto* action = window().findChild<QAction*>(QString::fromLatin1(entry.action));
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(menu->actions().contains(action));
        EXPECT_EQ(Text(action->text()), entry.text);
        EXPECT_EQ(Text(action->shortcut().toString(QKeySequence::NativeText)), entry.keys);
    }
    // Modify and delete need a place; with none selected they are off.
    Type(QStringLiteral("xyz"));
    EXPECT_FALSE(window().findChild<QAction*>(QStringLiteral("modificar"))->isEnabled());
    EXPECT_FALSE(window().findChild<QAction*>(QStringLiteral("eliminar"))->isEnabled());
    Type(QStringLiteral("gdl"));
    EXPECT_TRUE(window().findChild<QAction*>(QStringLiteral("eliminar"))->isEnabled());
    // Which engine and where, never a password; and what the catalog holds.
    EXPECT_THAT(Text(Status()), HasSubstr(nubex::db::Describe(catalogPath_.string())));
    EXPECT_THAT(Text(Status()), HasSubstr(mundor::test::BackendName(scratch_.backend())));
    EXPECT_THAT(Text(Status()), HasSubstr("3 países · 4 estados · 8 ciudades"));
}

TEST_F(MainWindowTest, TheWindowReopensWhereTheUserLeftIt) {
    window().resize(1111, 666);
    window().move(40, 30);
    const QPoint at = window().pos();
    auto& split = *window().findChild<QSplitter*>(QStringLiteral("split"));
    split.setSizes({700, 300});
    const QList<int> sizes = split.sizes();
    window().close();

    MainWindow again(fx_, catalog_, catalogPath_, false);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.size(), QSize(1111, 666));
    EXPECT_EQ(again.pos(), at);
    EXPECT_EQ(again.findChild<QSplitter*>(QStringLiteral("split"))->sizes(), sizes);
    again.close();
}

}  // namespace
}  // namespace mundor::host::testing
