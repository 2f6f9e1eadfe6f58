#include "facade/mundor_fx.h"

#include "facade/component.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace mundor {

namespace {
// What the launchers and the key-based deletes pass as LoadRecord's Mode.
constexpr LONG kLoadByKeyMode = 1;
}  // namespace

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

rt::Ref<nubex::Connection> MundorFx::CatalogConnection() {
    const rt::Ref<nubex::Catalog> catalog = DataObjects();
    if (!catalog) rt::RaiseObjectNotSet();
    rt::Ref<nubex::Connection> connection;
    rt::ThrowIfFailed(catalog->get_ADOCnn(connection.put()));
    return connection;
}

template <class Record>
rt::Ref<Record> MundorFx::LoadByKey(const CLSID& recordClass, LONG* sysPk) {
    auto record = rt::CreateInstance<Record>(recordClass);
    rt::Ref<nubex::Connection> connection = CatalogConnection();
    rt::BString noGuid(u"");
    LONG mode = kLoadByKeyMode;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::ThrowIfFailed(record->LoadRecord(sysPk, noGuid.slot(), connection.slot(), &mode, &loaded));
    if (loaded == VARIANT_FALSE) return {};
    return record;
}

template rt::Ref<nubex::Pais> MundorFx::LoadByKey<nubex::Pais>(const CLSID&, LONG*);
template rt::Ref<nubex::EdoProv> MundorFx::LoadByKey<nubex::EdoProv>(const CLSID&, LONG*);
template rt::Ref<nubex::Ciudad> MundorFx::LoadByKey<nubex::Ciudad>(const CLSID&, LONG*);

}  // namespace mundor
