// The host as a user has it: a catalog of the test's own (SQLite or PostgreSQL,
// support/catalog_backends.h) with a few places, the component and the data library registered
// and Mundor.MundorFx created by its ProgID, the Qt toolkit installed, and the main window shown.
// Tests act on the window's controls and read what it shows.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "catalog_backends.h"
#include "contracts/data_objects.h"
#include "facade/mundor_fx_interface.h"
#include "host/catalog_level.h"
#include "host/main_window.h"
#include "modal_answerer.h"
#include "modal_driver.h"
#include "runtime/ref.h"
#include "ui/qt/qt_toolkit.h"

namespace mundor::host::testing {

// The modal widgets a call raises, answered by the test.
using ui::qt::testing::ModalAnswerer;
using ui::qt::testing::PressButton;
using ui::qt::testing::Retype;
using ui::qt::testing::SeenBox;

// What a QString says, as gtest prints it.
inline std::string Text(const QString& text) {
    return text.toStdString();
}

// The main window over a small world: México (Jalisco: Guadalajara, Zapopan; Guanajuato:
// Guanajuato), Brasil (São Paulo: São Paulo, Guarulhos) and España (Andalucía: Sevilla, Sevilla
// la Nueva, Palacios de Sevilla).
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // SQL run on the catalog by another program: places changed behind the window's back.
    void Sql(const std::string& sql) const;
    // The key of the row of that table (Pais, EdoProv, Ciudad) with that code.
    LONG KeyOf(const char* table, const char* codigo) const;
    // The name the catalog holds for that place; empty when it holds none.
    std::u16string NameIn(Level level, LONG key) const;

    // Types into the search field key by key and waits for the list to answer it.
    void Type(const QString& text);
    // The list as the user reads it: "Guadalajara — Jalisco — México | Ciudad".
    QStringList Rows() const;
    QString SelectedRow() const;
    QString Summary() const;
    // A field of the details panel; "(oculto)" when it is not shown.
    QString Detail(const char* field) const;
    QString Status() const;
    // A key pressed on the widget that has the keyboard, then everything it set off shown.
    void Press(QKeySequence keys);
    // Waits until the list, the details and the counts answer the catalog as it is.
    void WaitUntilSettled() const;

    MainWindow& window() const { return *window_; }

    mundor::test::ScratchCatalog scratch_;
    std::filesystem::path catalogPath_;  // the catalog's location: a file or a server
    rt::Ref<nubex::Catalog> catalog_;
    rt::Ref<_MundorFx> fx_;
    ui::qt::QtToolkit toolkit_;
    ui::ScopedThreadToolkit installed_{toolkit_};
    std::unique_ptr<MainWindow> window_;
};

}  // namespace mundor::host::testing
