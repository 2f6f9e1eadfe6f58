#include "host_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <stdexcept>

#include "facade/mundor_client.h"
#include "host/component_registration.h"
#include "host/search_pane.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"

namespace mundor::host::testing {

namespace {

template <class T>
T& Find(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found) throw std::runtime_error("no control named " + name.toStdString());
    return *found;
}

}  // namespace

MainWindowTest::MainWindowTest() : catalogPath_(scratch_.location()) {
    catalog_ = nubex::OpenCatalog(catalogPath_.string(), {.create = true});
    RegisterComponentLibraries();
    fx_ = CreateMundorFx();
    MundorClient(fx_).SetDataObjects(catalog_);
    // The columns of VALUES are column1, column2... on both engines.
    Sql("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('MX', 'México', '52'), "
        "('BR', 'Brasil', '55'), ('ES', 'España', '34')");
    Sql("INSERT INTO EdoProv (IPais, Codigo, Nombre) SELECT p.Sys_PK, s.column2, s.column3 FROM "
        "(VALUES ('MX', 'JAL', 'Jalisco'), ('MX', 'GTO', 'Guanajuato'), ('BR', 'SP', 'São Paulo'), "
        "('ES', 'AN', 'Andalucía')) AS s JOIN Pais p ON p.Codigo = s.column1");
    Sql("INSERT INTO Ciudad (Estado, Codigo, Nombre, CodigoTel) SELECT e.Sys_PK, s.column2, "
        "s.column3, s.column4 FROM (VALUES ('JAL', 'GDL', 'Guadalajara', '33'), "
        "('JAL', 'ZAP', 'Zapopan', '1'), ('GTO', 'GTO', 'Guanajuato', '1'), "
        "('SP', 'SPC', 'São Paulo', '11'), ('SP', 'GRU', 'Guarulhos', '1'), "
        "('AN', 'SVQ', 'Sevilla', '1'), ('AN', 'SLN', 'Sevilla la Nueva', '1'), "
        "('AN', 'PDS', 'Palacios de Sevilla', '1')) AS s JOIN EdoProv e ON e.Codigo = s.column1");

    window_ = std::make_unique<MainWindow>(fx_, catalog_, catalogPath_, false);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    WaitUntilSettled();
}

void MainWindowTest::Sql(const std::string& sql) const {
    mundor::test::RawCatalog(catalogPath_.string()).Exec(sql);
}

LONG MainWindowTest::KeyOf(const char* table, const char* codigo) const {
    return static_cast<LONG>(mundor::test::RawCatalog(catalogPath_.string())
                                 .QueryInt(std::string("SELECT Sys_PK FROM ") + table +
                                           " WHERE Codigo = '" + codigo + "'"));
}

std::u16string MainWindowTest::NameIn(Level level, LONG key) const {
    const std::string table = rt::Utf16ToUtf8(InfoOf(level).recordType);
    const auto rows =
        mundor::test::RawCatalog(catalogPath_.string())
            .Rows("SELECT Nombre FROM " + table + " WHERE Sys_PK = " + std::to_string(key));
    return rows.empty() ? std::u16string() : rows[0][0];
}

MainWindowTest::~MainWindowTest() {
    // Whatever the test left open, the window goes the way a user closes it.
    if (window_) window_->close();
}

void MainWindowTest::WaitUntilSettled() const {
    EXPECT_TRUE(QTest::qWaitFor([this] { return window_->Settled(); }))
        << "the window did not settle";
}

void MainWindowTest::Type(const QString& text) {
    QLineEdit& field = window_->search().field();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    field.clear();
    ui::qt::testing::TypeKeys(field, text);
    WaitUntilSettled();
}

QStringList MainWindowTest::Rows() const {
    const QAbstractItemModel& model = *window_->search().results().model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows << model.index(row, 0).data().toString() + QStringLiteral(" | ") +
                    model.index(row, 1).data().toString();
    }
    return rows;
}

QString MainWindowTest::SelectedRow() const {
    const QModelIndex current = window_->search().results().currentIndex();
    if (!window_->search().Selected() || !current.isValid()) return {};
    return current.siblingAtColumn(0).data().toString();
}

QString MainWindowTest::Summary() const {
    return Find<QLabel>(*window_, QStringLiteral("summary")).text();
}

QString MainWindowTest::Detail(const char* field) const {
    const auto& label = Find<QLabel>(*window_, QStringLiteral("detail.") + field);
    return label.isVisibleTo(window_.get()) ? label.text() : QStringLiteral("(oculto)");
}

QString MainWindowTest::Status() const {
    WaitUntilSettled();
    return Find<QLabel>(*window_, QStringLiteral("status")).text();
}

void MainWindowTest::Press(QKeySequence keys) {
    // The keyboard is back on the window, as a window manager gives it back after a dialog.
    if (!window_->isActiveWindow()) {
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    QWidget* target = QApplication::focusWidget();
    const QKeyCombination key = keys[0];
    QTest::keyClick(target ? target : window_.get(), key.key(), key.keyboardModifiers());
    WaitUntilSettled();
}

}  // namespace mundor::host::testing
