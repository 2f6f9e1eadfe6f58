// The four library exports: the runtime does their work with this library's descriptor.
#include "nubex/com/module.h"
#include "nubex/export.h"

namespace rt = mundor::rt;
using nubex::com::Project;

extern "C" {

NUBEX_API HRESULT DllRegisterServer() {
    return rt::RegisterServer(Project());
}

NUBEX_API HRESULT DllUnregisterServer() {
    return rt::UnregisterServer(Project());
}

NUBEX_API HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return rt::GetClassObject(Project(), clsid, riid, ppv);
}

NUBEX_API HRESULT DllCanUnloadNow() {
    return rt::CanUnloadNow(Project());
}

}  // extern "C"
