#include "facade/mundor_fx.h"

#include "facade/component.h"
#include "runtime/error.h"

namespace mundor {

MundorFx::MundorFx() : DispatchObject(ThisModule()) {}

HRESULT MundorFx::get_LastErrorCode(LONG* result) {
    return rt::Guard([&] {
        if (!result) rt::Raise(rt::err::kInvalidCall);
        *result = lastErrorCode_;
    });
}

HRESULT MundorFx::put_LastErrorCode(LONG* value) {
    return rt::Guard([&] {
        if (!value) rt::Raise(rt::err::kInvalidCall);
        lastErrorCode_ = *value;
    });
}

HRESULT MundorFx::get_LastErrorDescrip(BSTR* result) {
    return rt::Guard([&] {
        if (!result) rt::Raise(rt::err::kInvalidCall);
        *result = lastErrorDescrip_.Copy();
    });
}

HRESULT MundorFx::put_LastErrorDescrip(BSTR* value) {
    return rt::Guard([&] {
        if (!value) rt::Raise(rt::err::kInvalidCall);
        lastErrorDescrip_ =
            rt::BString(std::u16string_view(*value ? *value : u"", SysStringLen(*value)));
    });
}

HRESULT MundorFx::get_DataObjects(nubex::Catalog** result) {
    return rt::Guard([&] {
        if (!result) rt::Raise(rt::err::kInvalidCall);
        *result = catalog_.CopyOut();
    });
}

HRESULT MundorFx::SetDataObjects(nubex::Catalog** NewValue) {
    return rt::Guard([&] {
        if (!NewValue) rt::Raise(rt::err::kArgumentNotOptional);
        // Taking the new reference before dropping the old one keeps a repeated bind of the
        // same catalog from releasing it in between.
        catalog_ = rt::Ref<nubex::Catalog>(*NewValue);
    });
}

rt::Ref<nubex::Catalog> MundorFx::DataObjects() {
    rt::Ref<nubex::Catalog> catalog;
    rt::ThrowIfFailed(get_DataObjects(catalog.put()));
    return catalog;
}

}  // namespace mundor
