#include "component_fixture.h"

#include "nubex/nubex.h"
#include "runtime/error.h"
#include "test_support.h"

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv);

namespace mundor::testing {

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

nubex::Connection* ComponentTest::Cnn() {
    if (!cnn_) cnn_ = nubex_test::ConnectionOf(catalog_.get());
    return cnn_.get();
}

rt::Ref<nubex::Pais> ComponentTest::AddPais(std::u16string_view codigo, std::u16string_view nombre,
                                            std::u16string_view codigoTel) {
    return nubex_test::AddPais(Cnn(), codigo, nombre, codigoTel);
}

rt::Ref<nubex::EdoProv> ComponentTest::AddEdoProv(const rt::Ref<nubex::Pais>& pais,
                                                  std::u16string_view codigo,
                                                  std::u16string_view nombre) {
    return nubex_test::AddEdoProv(Cnn(), KeyOf(pais.get()), codigo, nombre);
}

rt::Ref<nubex::Ciudad> ComponentTest::AddCiudad(const rt::Ref<nubex::EdoProv>& estado,
                                                std::u16string_view codigo,
                                                std::u16string_view nombre) {
    return nubex_test::AddCiudad(Cnn(), KeyOf(estado.get()), codigo, nombre, u"");
}

template <class Record>
rt::Ref<Record> ComponentTest::Load(const CLSID& recordClass, LONG key) {
    auto record = rt::CreateInstance<Record>(recordClass);
    return nubex_test::LoadByKey(record.get(), key, Cnn()) ? record : rt::Ref<Record>();
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
