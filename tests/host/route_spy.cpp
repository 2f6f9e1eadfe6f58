#include "route_spy.h"

namespace mundor::host::testing {

HRESULT RouteSpy::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!(riid == IID_IUnknown || riid == IID_IDispatch || riid == _MundorFx::iid)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<_MundorFx*>(this);
    AddRef();
    return S_OK;
}

ULONG RouteSpy::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

}  // namespace mundor::host::testing
