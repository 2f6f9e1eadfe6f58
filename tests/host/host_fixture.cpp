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

template <class Record>
rt::Ref<Record> NewRecord(const CLSID& recordClass, nubex::Catalog& catalog) {
    auto record = rt::CreateInstance<Record>(recordClass);
    rt::Ref<nubex::Connection> connection;
    rt::ThrowIfFailed(catalog.get_ADOCnn(connection.put()));
    rt::ThrowIfFailed(record->SetConnection(connection.slot()));
    VARIANT_BOOL ignored = VARIANT_FALSE;
    rt::ThrowIfFailed(record->NewRecord(&ignored));
    return record;
}

void Name(nubex::DataRecord& record, std::u16string_view codigo, std::u16string_view nombre) {
    rt::BString code(codigo);
    rt::BString name(nombre);
    rt::ThrowIfFailed(record.put_Codigo(code.slot()));
    rt::ThrowIfFailed(record.put_Nombre(name.slot()));
}

template <class Record>
void SetAreaCode(Record& record, std::u16string_view codigoTel) {
    rt::BString areaCode(codigoTel);
    rt::ThrowIfFailed(record.put_CodigoTel(areaCode.slot()));
}

// The parent record a state or city holds, loaded with the parent's key.
void LoadParent(nubex::DataRecord& parent, LONG key) {
    rt::BString noGuid;
    LONG byKey = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::Ref<nubex::Connection> ownConnection;
    rt::ThrowIfFailed(
        parent.LoadRecord(&key, noGuid.slot(), ownConnection.slot(), &byKey, &loaded));
}

void Save(nubex::DataRecord& record) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(record.SaveRecord(&saved));
    if (saved != VARIANT_FALSE) return;
    rt::BString why;
    record.get_ErrorDescription(why.put());
    throw std::runtime_error("test data refused: " + why.utf8());
}

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

rt::Ref<nubex::Pais> HostFixture::AddPais(std::u16string_view codigo, std::u16string_view nombre,
                                          std::u16string_view codigoTel) {
    auto pais = NewRecord<nubex::Pais>(nubex::CLSID_Pais, *catalog_);
    Name(*pais, codigo, nombre);
    SetAreaCode(*pais, codigoTel);
    Save(*pais);
    return pais;
}

rt::Ref<nubex::EdoProv> HostFixture::AddEdoProv(nubex::Pais& pais, std::u16string_view codigo,
                                                std::u16string_view nombre) {
    auto estado = NewRecord<nubex::EdoProv>(nubex::CLSID_EdoProv, *catalog_);
    Name(*estado, codigo, nombre);
    rt::Ref<nubex::Pais> parent;
    rt::ThrowIfFailed(estado->get_IPais(parent.put()));
    LoadParent(*parent, KeyOf(pais));
    Save(*estado);
    return estado;
}

rt::Ref<nubex::Ciudad> HostFixture::AddCiudad(nubex::EdoProv& estado, std::u16string_view codigo,
                                              std::u16string_view nombre,
                                              std::u16string_view codigoTel) {
    auto ciudad = NewRecord<nubex::Ciudad>(nubex::CLSID_Ciudad, *catalog_);
    Name(*ciudad, codigo, nombre);
    SetAreaCode(*ciudad, codigoTel);
    rt::Ref<nubex::EdoProv> parent;
    rt::ThrowIfFailed(ciudad->get_Estado(parent.put()));
    LoadParent(*parent, KeyOf(estado));
    Save(*ciudad);
    return ciudad;
}

LONG HostFixture::KeyOf(nubex::DataRecord& record) {
    LONG key = 0;
    rt::ThrowIfFailed(record.get_Sys_PK(&key));
    return key;
}

bool HostFixture::Exists(Level level, LONG key) {
    return static_cast<bool>(LoadRecordByKey(level, *catalog_, key));
}

std::u16string HostFixture::NameIn(Level level, LONG key) {
    const auto record = LoadRecordByKey(level, *catalog_, key).As<nubex::DataRecord>();
    if (!record) return {};
    rt::BString name;
    rt::ThrowIfFailed(record->get_Nombre(name.put()));
    return name.str();
}

MainWindowTest::MainWindowTest() {
    mexico_ = AddPais(u"MX", u"México", u"52");
    jalisco_ = AddEdoProv(*mexico_, u"JAL", u"Jalisco");
    guadalajara_ = AddCiudad(*jalisco_, u"GDL", u"Guadalajara", u"33");
    AddCiudad(*jalisco_, u"ZAP", u"Zapopan");
    AddCiudad(*AddEdoProv(*mexico_, u"GTO", u"Guanajuato"), u"GTO", u"Guanajuato");
    brasil_ = AddPais(u"BR", u"Brasil", u"55");
    auto saoPaulo = AddEdoProv(*brasil_, u"SP", u"São Paulo");
    AddCiudad(*saoPaulo, u"SPC", u"São Paulo", u"11");
    AddCiudad(*saoPaulo, u"GRU", u"Guarulhos");
    auto andalucia = AddEdoProv(*AddPais(u"ES", u"España", u"34"), u"AN", u"Andalucía");
    AddCiudad(*andalucia, u"SVQ", u"Sevilla");
    AddCiudad(*andalucia, u"SLN", u"Sevilla la Nueva");
    AddCiudad(*andalucia, u"PDS", u"Palacios de Sevilla");

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
