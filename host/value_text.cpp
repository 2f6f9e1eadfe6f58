#include "host/value_text.h"

#include <string>

#include "contracts/data_objects.h"
#include "runtime/bstr.h"
#include "runtime/ref.h"
#include "runtime/text.h"

namespace mundor::host {

namespace {

// "Pais", "EdoProv" or "Ciudad"; empty for anything else.
std::u16string RecordKind(const rt::Ref<IDispatch>& object) {
    if (object.As<nubex::Pais>()) return u"Pais";
    if (object.As<nubex::EdoProv>()) return u"EdoProv";
    if (object.As<nubex::Ciudad>()) return u"Ciudad";
    return {};
}

std::u16string DescribeRecord(const std::u16string& kind, nubex::DataRecord& record) {
    LONG key = 0;
    rt::BString name;
    if (FAILED(record.get_Sys_PK(&key)) || FAILED(record.get_Nombre(name.put()))) return kind;
    if (key == 0) return kind + u" (nuevo, sin guardar)";
    return kind + u" " + rt::DecimalText(key) + u" «" + name.str() + u"»";
}

}  // namespace

std::u16string DescribeObject(IDispatch* object) {
    if (!object) return u"Nothing";
    const rt::Ref<IDispatch> held(object);
    if (held.As<nubex::Catalog>()) return u"Catalog";
    const std::u16string kind = RecordKind(held);
    const auto record = held.As<nubex::DataRecord>();
    if (kind.empty() || !record) return u"Object";
    return DescribeRecord(kind, *record);
}

std::u16string DescribeValue(const rt::Variant& value) {
    const VARIANT& raw = value.raw();
    switch (raw.vt) {
        case VT_EMPTY:
            return u"Empty";
        case VT_NULL:
            return u"Null";
        case VT_BOOL:
            return raw.boolVal != VARIANT_FALSE ? u"Boolean: True" : u"Boolean: False";
        case VT_I2:
            return u"Integer: " + rt::DecimalText(raw.iVal);
        case VT_I4:
            return u"Long: " + rt::DecimalText(raw.lVal);
        case VT_BSTR:
            return u"String: \"" + value.AsString() + u"\"";
        case VT_DISPATCH:
            return raw.pdispVal ? u"Object: " + DescribeObject(raw.pdispVal) : u"Nothing";
        default:
            return u"Variant (tipo " + rt::DecimalText(raw.vt) + u"): " + rt::VariantToDisplayText(raw);
    }
}

std::u16string DescribeError(const rt::RuntimeError& error) {
    return u"Error " + rt::DecimalText(error.number()) + u": " + error.description();
}

}  // namespace mundor::host
