#include "nubex/com/catalog_object.h"
#include "nubex/com/ciudad_object.h"
#include "nubex/com/edoprov_object.h"
#include "nubex/com/pais_object.h"
#include "nubex/nubex.h"
#include "runtime/registry.h"

namespace nubex {

namespace rt = mundor::rt;

HRESULT RegisterInProcess() {
    const struct {
        const CLSID& clsid;
        rt::CreateInstanceFn create;
    } classes[] = {
        {CLSID_Catalog, &rt::CreateInstanceOf<com::CatalogObject>},
        {CLSID_Pais, &rt::CreateInstanceOf<com::PaisObject>},
        {CLSID_EdoProv, &rt::CreateInstanceOf<com::EdoProvObject>},
        {CLSID_Ciudad, &rt::CreateInstanceOf<com::CiudadObject>},
    };
    for (const auto& c : classes) {
        if (HRESULT hr = rt::RegisterClassObject(c.clsid, c.create); FAILED(hr)) return hr;
    }
    return S_OK;
}

void UnregisterInProcess() {
    for (const CLSID* clsid : {&CLSID_Catalog, &CLSID_Pais, &CLSID_EdoProv, &CLSID_Ciudad}) {
        rt::RevokeClassObject(*clsid);
    }
}

rt::Ref<Catalog> OpenCatalog(const std::string& path, const OpenOptions& options) {
    rt::Ref<com::CatalogObject> catalog = rt::MakeObject<com::CatalogObject>();
    catalog->Open(path, options.busyTimeoutMs, options.create);
    return catalog;
}

}  // namespace nubex
