#include "component_fixture.h"

#include "nubex/nubex.h"
#include "runtime/error.h"

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv);

namespace mundor::testing {

namespace {

template <class Record>
rt::Ref<Record> NewRecord(const CLSID& recordClass, nubex::Catalog* catalog) {
    auto record = rt::CreateInstance<Record>(recordClass);
    rt::Ref<nubex::Connection> connection;
    rt::ThrowIfFailed(catalog->get_ADOCnn(connection.put()));
    rt::ThrowIfFailed(record->SetConnection(connection.slot()));
    VARIANT_BOOL ignored = VARIANT_FALSE;
    rt::ThrowIfFailed(record->NewRecord(&ignored));
    return record;
}

void SetText(HRESULT (nubex::DataRecord::*put)(BSTR*), nubex::DataRecord* record,
             std::u16string_view text) {
    rt::BString value(text);
    rt::ThrowIfFailed((record->*put)(value.slot()));
}

void Save(nubex::DataRecord* record) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(record->SaveRecord(&saved));
    if (saved == VARIANT_FALSE) {
        rt::BString why;
        record->get_ErrorDescription(why.put());
        throw std::runtime_error("test data refused: " + why.utf8());
    }
}

}  // namespace

ComponentTest::ComponentTest() : fx_(NewFacade()) {
    nubex::RegisterInProcess();
    catalog_ = nubex::OpenCatalog(scratch_.location(), {.create = true});
    fx_.SetDataObjects(catalog_);
}

ComponentTest::~ComponentTest() = default;

MundorClient ComponentTest::NewFacade() {
    rt::Ref<IClassFactory> factory;
    rt::ThrowIfFailed(DllGetClassObject(CLSID_MundorFx, IID_IClassFactory,
                                        reinterpret_cast<void**>(factory.put())));
    rt::Ref<_MundorFx> fx;
    rt::ThrowIfFailed(
        factory->CreateInstance(nullptr, _MundorFx::iid, reinterpret_cast<void**>(fx.put())));
    return MundorClient(fx);
}

rt::Ref<nubex::Pais> ComponentTest::AddPais(std::u16string_view codigo, std::u16string_view nombre,
                                            std::u16string_view codigoTel) {
    auto pais = NewRecord<nubex::Pais>(nubex::CLSID_Pais, catalog_.get());
    SetText(&nubex::DataRecord::put_Codigo, pais.get(), codigo);
    SetText(&nubex::DataRecord::put_Nombre, pais.get(), nombre);
    rt::BString tel(codigoTel);
    rt::ThrowIfFailed(pais->put_CodigoTel(tel.slot()));
    Save(pais.get());
    return pais;
}

rt::Ref<nubex::EdoProv> ComponentTest::AddEdoProv(const rt::Ref<nubex::Pais>& pais,
                                                  std::u16string_view codigo,
                                                  std::u16string_view nombre) {
    auto estado = NewRecord<nubex::EdoProv>(nubex::CLSID_EdoProv, catalog_.get());
    SetText(&nubex::DataRecord::put_Codigo, estado.get(), codigo);
    SetText(&nubex::DataRecord::put_Nombre, estado.get(), nombre);
    rt::Ref<nubex::Pais> parent;
    rt::ThrowIfFailed(estado->get_IPais(parent.put()));
    LONG key = KeyOf(pais.get());
    rt::BString noGuid;
    LONG mode = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::Ref<nubex::Connection> none;
    rt::ThrowIfFailed(parent->LoadRecord(&key, noGuid.slot(), none.slot(), &mode, &loaded));
    Save(estado.get());
    return estado;
}

rt::Ref<nubex::Ciudad> ComponentTest::AddCiudad(const rt::Ref<nubex::EdoProv>& estado,
                                                std::u16string_view codigo,
                                                std::u16string_view nombre) {
    auto ciudad = NewRecord<nubex::Ciudad>(nubex::CLSID_Ciudad, catalog_.get());
    SetText(&nubex::DataRecord::put_Codigo, ciudad.get(), codigo);
    SetText(&nubex::DataRecord::put_Nombre, ciudad.get(), nombre);
    rt::Ref<nubex::EdoProv> parent;
    rt::ThrowIfFailed(ciudad->get_Estado(parent.put()));
    LONG key = KeyOf(estado.get());
    rt::BString noGuid;
    LONG mode = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::Ref<nubex::Connection> none;
    rt::ThrowIfFailed(parent->LoadRecord(&key, noGuid.slot(), none.slot(), &mode, &loaded));
    Save(ciudad.get());
    return ciudad;
}

template <class Record>
rt::Ref<Record> ComponentTest::Load(const CLSID& recordClass, LONG key) {
    auto record = rt::CreateInstance<Record>(recordClass);
    rt::Ref<nubex::Connection> connection;
    rt::ThrowIfFailed(catalog_->get_ADOCnn(connection.put()));
    rt::BString noGuid;
    LONG mode = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::ThrowIfFailed(record->LoadRecord(&key, noGuid.slot(), connection.slot(), &mode, &loaded));
    return loaded ? record : rt::Ref<Record>();
}

template rt::Ref<nubex::Pais> ComponentTest::Load<nubex::Pais>(const CLSID&, LONG);
template rt::Ref<nubex::EdoProv> ComponentTest::Load<nubex::EdoProv>(const CLSID&, LONG);
template rt::Ref<nubex::Ciudad> ComponentTest::Load<nubex::Ciudad>(const CLSID&, LONG);

LONG ComponentTest::KeyOf(nubex::DataRecord* record) {
    LONG key = 0;
    rt::ThrowIfFailed(record->get_Sys_PK(&key));
    return key;
}

std::vector<ui::headless::MessageBoxShown> ComponentTest::Boxes() const {
    return toolkit_.transcript().Only<ui::headless::MessageBoxShown>();
}

std::string ComponentTest::Screen() const {
    return toolkit_.transcript().Text();
}

}  // namespace mundor::testing
