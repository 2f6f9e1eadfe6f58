#include "host_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <stdexcept>

#include "facade/mundor_client.h"
#include "host/component_registration.h"
#include "host/record_lookup.h"
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

void Save(nubex::DataRecord& record) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(record.SaveRecord(&saved));
    if (saved != VARIANT_FALSE) return;
    rt::BString why;
    record.get_ErrorDescription(why.put());
    throw std::runtime_error("test data refused: " + why.utf8());
}

template <class T>
T& Find(QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found) throw std::runtime_error("no control named " + name.toStdString());
    return *found;
}

}  // namespace

std::string RouteName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "PorNombre" : "PorInterfaz";
}

INSTANTIATE_TEST_SUITE_P(Roads, HostCallsTest, ::testing::Bool(), RouteName);

HostWindowTest::HostWindowTest() : catalogPath_(scratch_.location()) {
    catalog_ = nubex::OpenCatalog(catalogPath_.string(), {.create = true});
    RegisterComponentLibraries();
    fx_ = CreateMundorFx();
    MundorClient(fx_).SetDataObjects(catalog_);
    window_ = std::make_unique<HostWindow>(fx_, catalog_, catalogPath_, false);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

HostWindowTest::~HostWindowTest() = default;

rt::Ref<nubex::Pais> HostWindowTest::AddPais(std::u16string_view codigo,
                                             std::u16string_view nombre) {
    auto pais = NewRecord<nubex::Pais>(nubex::CLSID_Pais, *catalog_);
    Name(*pais, codigo, nombre);
    Save(*pais);
    return pais;
}

rt::Ref<nubex::EdoProv> HostWindowTest::AddEdoProv(nubex::Pais& pais, std::u16string_view codigo,
                                                   std::u16string_view nombre) {
    auto estado = NewRecord<nubex::EdoProv>(nubex::CLSID_EdoProv, *catalog_);
    Name(*estado, codigo, nombre);
    rt::Ref<nubex::Pais> parent;
    rt::ThrowIfFailed(estado->get_IPais(parent.put()));
    LONG key = KeyOf(pais);
    rt::BString noGuid;
    LONG byKey = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::Ref<nubex::Connection> ownConnection;
    rt::ThrowIfFailed(
        parent->LoadRecord(&key, noGuid.slot(), ownConnection.slot(), &byKey, &loaded));
    Save(*estado);
    return estado;
}

LONG HostWindowTest::KeyOf(nubex::DataRecord& record) {
    LONG key = 0;
    rt::ThrowIfFailed(record.get_Sys_PK(&key));
    return key;
}

bool HostWindowTest::Exists(Level level, LONG key) {
    return static_cast<bool>(LoadRecordByKey(level, *catalog_, key));
}

void HostWindowTest::UseRoute(bool byName) {
    auto& route = Find<QCheckBox>(*window_, QStringLiteral("byName"));
    if (route.isChecked() != byName) QTest::mouseClick(&route, Qt::LeftButton);
    ASSERT_EQ(route.isChecked(), byName);
}

void HostWindowTest::SetNumber(const QString& box, int value) {
    Find<QSpinBox>(*window_, box).setValue(value);
}

void HostWindowTest::SetText(const QString& edit, const QString& text) {
    // Set whole: QTest types ASCII keys only.
    Find<QLineEdit>(*window_, edit).setText(text);
}

void HostWindowTest::SetAsk(bool ask) {
    auto& box = Find<QCheckBox>(*window_, QStringLiteral("Ask"));
    // On the box itself: a check box spread over a wide cell takes clicks on its box and text.
    const QPoint onTheBox(box.height() / 2, box.height() / 2);
    if (box.isChecked() != ask) QTest::mouseClick(&box, Qt::LeftButton, {}, onTheBox);
    ASSERT_EQ(box.isChecked(), ask);
}

void HostWindowTest::Click(const QString& button) {
    QTest::mouseClick(&Find<QPushButton>(*window_, button), Qt::LeftButton);
}

QString HostWindowTest::Result() const {
    return Find<QLabel>(*window_, QStringLiteral("result")).text();
}

QString HostWindowTest::Status() const {
    // The counts arrive from a background count; wait for them, polling, as a user would look.
    EXPECT_TRUE(QTest::qWaitFor([this] { return window_->CountsSettled(); }));
    return Find<QLabel>(*window_, QStringLiteral("status")).text();
}

}  // namespace mundor::host::testing
