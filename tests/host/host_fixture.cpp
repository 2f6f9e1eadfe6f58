#include "host_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <stdexcept>

#include "facade/mundor_client.h"
#include "host/component_registration.h"
#include "host/record_lookup.h"
#include "host/search_pane.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace mundor::host::testing {

namespace {

template <class T>
T& Find(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found) throw std::runtime_error("no control named " + name.toStdString());
    return *found;
}

}  // namespace

void Retype(QWidget& dialog, const char* field, const QString& text) {
    QWidget* control = dialog.findChild<QWidget*>(field);
    auto* edit = control ? control->findChild<QLineEdit*>() : nullptr;
    ASSERT_TRUE(edit) << "no field " << field << " in " << dialog.windowTitle().toStdString();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

HostFixture::HostFixture() : catalogPath_(scratch_.location()) {
    catalog_ = nubex::OpenCatalog(catalogPath_.string(), {.create = true});
    RegisterComponentLibraries();
    fx_ = CreateMundorFx();
    MundorClient(fx_).SetDataObjects(catalog_);
}

void HostFixture::Sql(const std::string& sql, const std::vector<std::string>& values) const {
    mundor::test::RawCatalog(catalogPath_.string()).Exec(sql, values);
}

LONG HostFixture::KeyOf(const char* table, const char* codigo) const {
    return static_cast<LONG>(mundor::test::RawCatalog(catalogPath_.string())
                                 .QueryInt(std::string("SELECT Sys_PK FROM ") + table +
                                           " WHERE Codigo = '" + codigo + "'"));
}

std::u16string HostFixture::NameIn(Level level, LONG key) const {
    const std::string table = rt::Utf16ToUtf8(InfoOf(level).recordType);
    const auto rows =
        mundor::test::RawCatalog(catalogPath_.string())
            .Rows("SELECT Nombre FROM " + table + " WHERE Sys_PK = " + std::to_string(key));
    return rows.empty() ? std::u16string() : rows[0][0];
}

MainWindowTest::MainWindowTest() {
    const std::vector<std::vector<std::string>> countries{
        {"MX", "México", "52"}, {"BR", "Brasil", "55"}, {"ES", "España", "34"}};
    // A state or city under the place of that code; the states' codes are unique here.
    const std::vector<std::vector<std::string>> states{{"MX", "JAL", "Jalisco"},
                                                       {"MX", "GTO", "Guanajuato"},
                                                       {"BR", "SP", "São Paulo"},
                                                       {"ES", "AN", "Andalucía"}};
    const std::vector<std::vector<std::string>> cities{
        {"JAL", "GDL", "Guadalajara", "33"},    {"JAL", "ZAP", "Zapopan", "1"},
        {"GTO", "GTO", "Guanajuato", "1"},      {"SP", "SPC", "São Paulo", "11"},
        {"SP", "GRU", "Guarulhos", "1"},        {"AN", "SVQ", "Sevilla", "1"},
        {"AN", "SLN", "Sevilla la Nueva", "1"}, {"AN", "PDS", "Palacios de Sevilla", "1"}};
    for (const auto& row : countries) {
        Sql("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES (?1, ?2, ?3)", row);
    }
    for (const auto& row : states) {
        Sql("INSERT INTO EdoProv (IPais, Codigo, Nombre) SELECT Sys_PK, ?2, ?3 FROM Pais "
            "WHERE Codigo = ?1",
            row);
    }
    for (const auto& row : cities) {
        Sql("INSERT INTO Ciudad (Estado, Codigo, Nombre, CodigoTel) SELECT Sys_PK, ?2, ?3, ?4 "
            "FROM EdoProv WHERE Codigo = ?1",
            row);
    }

    window_ = std::make_unique<MainWindow>(fx_, catalog_, catalogPath_, false);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    WaitUntilSettled();
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
    field.setFocus();
    QTest::keyClicks(&field, text);
    WaitUntilSettled();
}

void MainWindowTest::SetSearch(const QString& text) {
    window_->search().field().setText(text);
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

void MainWindowTest::SelectRow(int row) {
    QTreeView& results = window_->search().results();
    const QRect place = results.visualRect(results.model()->index(row, 0));
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, place.center());
    WaitUntilSettled();
}

ConsoleTest::ConsoleTest() {
    window_ = std::make_unique<ConsoleWindow>(fx_, catalog_, false);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

void ConsoleTest::UseRoute(bool byName) {
    auto& route = Find<QCheckBox>(*window_, QStringLiteral("byName"));
    if (route.isChecked() != byName) QTest::mouseClick(&route, Qt::LeftButton);
    ASSERT_EQ(route.isChecked(), byName);
}

void ConsoleTest::SetNumber(const QString& box, int value) {
    Find<QSpinBox>(*window_, box).setValue(value);
}

void ConsoleTest::SetText(const QString& edit, const QString& text) {
    // Set whole: QTest types ASCII keys only.
    Find<QLineEdit>(*window_, edit).setText(text);
}

void ConsoleTest::SetAsk(bool ask) {
    auto& box = Find<QCheckBox>(*window_, QStringLiteral("Ask"));
    // On the box itself: a check box spread over a wide cell takes clicks on its box and text.
    const QPoint onTheBox(box.height() / 2, box.height() / 2);
    if (box.isChecked() != ask) QTest::mouseClick(&box, Qt::LeftButton, {}, onTheBox);
    ASSERT_EQ(box.isChecked(), ask);
}

void ConsoleTest::Click(const QString& button) {
    QTest::mouseClick(&Find<QPushButton>(*window_, button), Qt::LeftButton);
}

QString ConsoleTest::Result() const {
    return Find<QLabel>(*window_, QStringLiteral("result")).text();
}

}  // namespace mundor::host::testing
