// The main window's commands, each through the component to the catalog: the dialogs typed into
// on real widgets, the component's confirmation answered, and the list, the details and the
// counts following what was saved, deleted or left alone.
#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "facade/mundor_client.h"
#include "host/search_pane.h"
#include "host_fixture.h"
#include "modal_answerer.h"

namespace mundor::host::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Types into a place's dialog (the code only when given) and presses that button.
ModalAnswerer::Answer Fill(QString code, QString name,
                           QString button = QStringLiteral("&Aceptar")) {
    return [code, name, button](QWidget& dialog) {
        if (!code.isEmpty()) Retype(dialog, "ctrlCodigo", code);
        if (!code.isEmpty() && dialog.findChild<QWidget*>("ctrlCodigoTel")) {
            Retype(dialog, "ctrlCodigoTel", QStringLiteral("99"));
        }
        Retype(dialog, "ctrlNombre", name);
        PressButton(dialog, button);
    };
}

struct NewPlaceCase {
    const char* search;  // what is selected first: the best place this finds
    QKeyCombination keys;
    const char* added;  // the new place's row, selected afterwards; empty: refused
    const char* why;    // the explanation when refused
};

TEST_F(MainWindowTest, NewPlacesGoUnderTheSelectionsParent) {
    const NewPlaceCase cases[] = {
        {"xyz", Qt::CTRL | Qt::ALT | Qt::Key_N, "Zembla", nullptr},
        {"gdl", Qt::CTRL | Qt::SHIFT | Qt::Key_N, "Nayarit — México", nullptr},
        {"jalisco", Qt::CTRL | Qt::Key_N, "Tlaquepaque — Jalisco — México", nullptr},
        {"gdl", Qt::CTRL | Qt::Key_N, "Tlajomulco — Jalisco — México", nullptr},
        {"mexico", Qt::CTRL | Qt::Key_N, "",
         "Para agregar una ciudad, seleccione antes en la lista su estado, o una de las "
         "ciudades de ese estado."},
        {"xyz", Qt::CTRL | Qt::SHIFT | Qt::Key_N, "",
         "Para agregar un estado, seleccione antes en la lista su país, o uno de los estados o "
         "ciudades de ese país."},
    };
    for (const NewPlaceCase& c : cases) {
        SCOPED_TRACE(c.search);
        Type(QString::fromUtf8(c.search));
        const QString added = QString::fromUtf8(c.added);
        const QString name = added.section(QStringLiteral(" — "), 0, 0);
        ModalAnswerer answerer;
        if (added.isEmpty()) {
            answerer.ThenPress(QStringLiteral("Aceptar"));
        } else {
            answerer.Then(Fill(name.left(2).toUpper() + name.right(1).toUpper(), name));
        }
        Press(QKeySequence(c.keys));

        EXPECT_EQ(answerer.answered(), 1);
        if (added.isEmpty()) {
            ASSERT_EQ(answerer.boxes().size(), 1u);
            EXPECT_EQ(Text(answerer.boxes().front().text), c.why);
            continue;
        }
        // Found and selected, wherever the search stood.
        EXPECT_EQ(SelectedRow(), added);
        EXPECT_EQ(Detail("Nombre"), name);
        EXPECT_EQ(NameIn(LevelOf(window().search().Selected()->level), Detail("Sys_PK").toInt()),
                  name.toStdU16String());
    }
    EXPECT_THAT(Text(Status()), HasSubstr("4 países · 5 estados · 10 ciudades"));
}

TEST_F(MainWindowTest, ModifyChangesThePlaceAndTheListFollows) {
    const LONG key = KeyOf("Ciudad", "GDL");
    Type(QStringLiteral("guadal"));
    ModalAnswerer answerer;
    answerer.Then(Fill({}, QStringLiteral("Guadalajara de Indias")))
        .Then(Fill({}, QStringLiteral("descartado"), QStringLiteral("&Cancelar")))
        .Then(Fill({}, QStringLiteral("Tlaquepaque")));

    Press(QKeySequence(Qt::Key_F2));
    EXPECT_EQ(NameIn(Level::kCiudad, key), u"Guadalajara de Indias");
    EXPECT_EQ(Text(SelectedRow()), "Guadalajara de Indias — Jalisco — México");
    EXPECT_EQ(Text(Detail("Nombre")), "Guadalajara de Indias");

    // Enter on the list modifies too; a cancel changes nothing.
    window().search().results().setFocus();
    Press(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(NameIn(Level::kCiudad, key), u"Guadalajara de Indias");
    EXPECT_EQ(Text(SelectedRow()), "Guadalajara de Indias — Jalisco — México");

    // Renamed out of the search's reach, the place is looked for by its new name.
    Press(QKeySequence(Qt::Key_F2));
    EXPECT_EQ(Text(window().search().field().text()), "Tlaquepaque");
    EXPECT_EQ(Text(SelectedRow()), "Tlaquepaque — Jalisco — México");
    EXPECT_EQ(answerer.answered(), 3);
    EXPECT_TRUE(answerer.unexpected().isEmpty()) << Text(answerer.unexpected().join(", "));
}

TEST_F(MainWindowTest, DeleteAsksFirstAndTheListFollowsAndARefusalIsExplained) {
    const LONG key = KeyOf("Ciudad", "GDL");
    Type(QStringLiteral("gua"));
    Press(QKeySequence(Qt::Key_Down));  // from the field to the list
    EXPECT_EQ(QApplication::focusWidget(), &window().search().results());
    Press(QKeySequence(Qt::Key_Down));  // Guadalajara, with Guanajuato after it
    EXPECT_EQ(Text(Detail("Nombre")), "Guadalajara");
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("&No")).ThenPress(QStringLiteral("&Sí"));

    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(NameIn(Level::kCiudad, key), u"Guadalajara");
    EXPECT_EQ(Text(SelectedRow()), "Guadalajara — Jalisco — México");

    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(NameIn(Level::kCiudad, key), u"");
    EXPECT_THAT(Text(Rows().join('\n')), Not(HasSubstr("Guadalajara")));
    EXPECT_EQ(Text(SelectedRow()), "Guanajuato — Guanajuato — México");
    EXPECT_THAT(Text(Status()), HasSubstr("7 ciudades"));
    // The component's own confirmation, not one of the host's.
    ASSERT_EQ(answerer.boxes().size(), 2u);
    EXPECT_EQ(Text(answerer.boxes()[0].text), "¿Seguro desea eliminar este elemento?");

    // The component's own error box says why; the host adds none of its own.
    Type(QStringLiteral("mexico"));
    Press(QKeySequence(Qt::Key_Down));  // in the field, Supr deletes a letter
    answerer.ThenPress(QStringLiteral("&Sí")).ThenPress(QStringLiteral("Aceptar"));
    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(NameIn(Level::kPais, KeyOf("Pais", "MX")), u"México");
    ASSERT_EQ(answerer.boxes().size(), 4u);
    EXPECT_EQ(Text(answerer.boxes()[3].text),
              "(20020) No se puede eliminar el país: tiene estados o provincias registrados. "
              "[ThisApp.DelPais]");
    EXPECT_EQ(Text(SelectedRow()), "México");

    // Ctrl+F takes the keyboard back to the search, its text selected.
    Press(QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(QApplication::focusWidget(), &window().search().field());
    EXPECT_EQ(window().search().field().selectedText(), QStringLiteral("mexico"));
}

TEST_F(MainWindowTest, TheBrowserOpensFromTheWindowAndTheListFollowsItsChanges) {
    Type(QStringLiteral("guadal"));
    QString shown;
    ModalAnswerer answerer;
    answerer.Then([&](QWidget& browser) {
        shown = browser.windowTitle();
        // What the browser's commands do to the catalog, done here behind its back.
        Sql("UPDATE Ciudad SET Nombre = 'Guadalajara de Indias' WHERE Codigo = 'GDL'");
        browser.close();
    });
    Press(QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(Text(SelectedRow()), "Guadalajara de Indias — Jalisco — México");
}

TEST_F(MainWindowTest, TroublesAreToldAndTheListFollows) {
    // Deleted by another user since it was found: nothing is called, and the list forgets it.
    Type(QStringLiteral("zapopan"));
    Sql("DELETE FROM Ciudad WHERE Codigo = 'ZAP'");
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("Aceptar"));
    Press(QKeySequence(Qt::Key_F2));
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(Text(answerer.boxes()[0].text),
              "Ese lugar ya no está en el catálogo: otro usuario lo eliminó.");
    EXPECT_THAT(Rows(), IsEmpty());

    // A failure the component lets through (an unbound facade: error 91) is told.
    Type(QStringLiteral("gdl"));
    MundorClient(fx_).SetDataObjects({});
    answerer.ThenPress(QStringLiteral("Aceptar"));
    Press(QKeySequence(Qt::Key_F2));
    ASSERT_EQ(answerer.boxes().size(), 2u);
    EXPECT_EQ(Text(answerer.boxes()[1].text), "No se pudo completar «Modificar».");
    EXPECT_EQ(answerer.boxes()[1].icon, QMessageBox::Critical);
    EXPECT_EQ(Text(SelectedRow()), "Guadalajara — Jalisco — México");
}

}  // namespace
}  // namespace mundor::host::testing
