#include "browser/catalog_by_name.h"

#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/registry.h"

namespace mundor::browser {

namespace {

using rt::CallByDispId;
using rt::CallByName;
using rt::CallType;

rt::Ref<IDispatch> ViewOf(IDispatch* thisFx, std::u16string_view viewName, LONG parentSysPk) {
    const rt::Ref<IDispatch> catalog = DataObjectsOf(thisFx);
    return CallByName(catalog.get(), viewName, CallType::Get, parentSysPk).AsDispatch();
}

}  // namespace

rt::Ref<IDispatch> DataObjectsOf(IDispatch* thisFx) {
    return CallByName(thisFx, u"DataObjects", CallType::Get).AsDispatch();
}

DISPID ViewRows::IdOf(DISPID& known, std::u16string_view name) const {
    if (known == DISPID_UNKNOWN) known = rt::DispIdOf(view_.get(), name);
    return known;
}

bool ViewRows::AtEnd() const {
    return CallByDispId(view_.get(), IdOf(eof_, u"EOF"), CallType::Get).AsBool();
}

void ViewRows::MoveNext() {
    CallByDispId(view_.get(), IdOf(moveNext_, u"MoveNext"), CallType::Method);
}

rt::Variant ViewRows::Field(std::u16string_view name) const {
    return CallByDispId(view_.get(), IdOf(item_, u"Item"), CallType::Get, rt::Variant(name));
}

ViewRows CountryRows(IDispatch* thisFx) {
    const rt::Ref<IDispatch> catalog = DataObjectsOf(thisFx);
    return ViewRows(CallByName(catalog.get(), u"V_Pais", CallType::Get).AsDispatch());
}

ViewRows StateRows(IDispatch* thisFx, LONG paisSysPk) {
    return ViewRows(ViewOf(thisFx, u"V_EdoProv", paisSysPk));
}

ViewRows CityRows(IDispatch* thisFx, LONG edoProvSysPk) {
    return ViewRows(ViewOf(thisFx, u"V_Ciudades", edoProvSysPk));
}

void LoadByGuid(IDispatch* thisFx, IDispatch* record, std::u16string_view sysGuid) {
    const rt::Ref<IDispatch> catalog = DataObjectsOf(thisFx);
    const rt::Variant connection = CallByName(catalog.get(), u"ADOCnn", CallType::Get);
    CallByName(record, u"LoadFromADOConnection", CallType::Method, LONG{0}, rt::Variant(sysGuid),
               connection);
}

rt::Ref<IDispatch> LoadRecordByGuid(IDispatch* thisFx, const CLSID& recordClass,
                                    std::u16string_view sysGuid) {
    rt::Ref<IDispatch> record = rt::CreateInstance<IDispatch>(recordClass);
    LoadByGuid(thisFx, record.get(), sysGuid);
    return record;
}

LONG SysPkOf(IDispatch* record) {
    return CallByName(record, u"Sys_PK", CallType::Get).AsLong();
}

std::u16string FieldText(const rt::Variant& value) {
    // Text is taken as it is, without a coerced copy first: this runs for every row of a level.
    if (value.vt() != VT_BSTR) return value.AsString();
    const BSTR text = value.raw().bstrVal;
    return std::u16string(text ? text : u"", SysStringLen(text));
}

std::u16string ConcatenatedText(const rt::Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return u"";
    return FieldText(value);
}

}  // namespace mundor::browser
