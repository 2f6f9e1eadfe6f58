#include "nubex/com/pais_object.h"

namespace nubex::com {

namespace rt = mundor::rt;

PaisObject::PaisObject() : RecordObject(store::kPaisTable, nullptr) {}

const rt::DispatchTableBase& PaisObject::Table() {
    static const rt::DispatchTableBase table(RecordMembers<PaisObject>({
        {u"CodigoTel",
         3,
         rt::MemberKind::Get,
         {},
         VT_BSTR,
         [](PaisObject& s, rt::Frame& f) { return s.get_CodigoTel(f.RetStr()); }},
        {u"CodigoTel",
         3,
         rt::MemberKind::Put,
         {rt::Str(u"value")},
         VT_EMPTY,
         [](PaisObject& s, rt::Frame& f) { return s.put_CodigoTel(f.Str(0)); }},
    }));
    return table;
}

HRESULT PaisObject::get_CodigoTel(BSTR* result) {
    return GetText(result, core().row().codigoTel);
}

HRESULT PaisObject::put_CodigoTel(BSTR* value) {
    return SetText(value, [&](std::u16string_view text) { core().SetCodigoTel(text); });
}

}  // namespace nubex::com
