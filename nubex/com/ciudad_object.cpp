#include "nubex/com/ciudad_object.h"

namespace nubex::com {

namespace rt = mundor::rt;

CiudadObject::CiudadObject() : CiudadObject(rt::MakeObject<EdoProvObject>()) {}

CiudadObject::CiudadObject(rt::Ref<EdoProvObject> state)
    : RecordObject(store::kCiudadTable, &state->core()), state_(std::move(state)) {}

const rt::DispatchTableBase& CiudadObject::Table() {
    static const rt::DispatchTableBase table(RecordMembers<CiudadObject>({
        {u"CodigoTel",
         3,
         rt::MemberKind::Get,
         {},
         VT_BSTR,
         [](CiudadObject& s, rt::Frame& f) { return s.get_CodigoTel(f.RetStr()); }},
        {u"CodigoTel",
         3,
         rt::MemberKind::Put,
         {rt::Str(u"value")},
         VT_EMPTY,
         [](CiudadObject& s, rt::Frame& f) { return s.put_CodigoTel(f.Str(0)); }},
        {u"Estado",
         7,
         rt::MemberKind::Get,
         {},
         VT_DISPATCH,
         [](CiudadObject& s, rt::Frame& f) { return s.get_Estado(f.RetObj<nubex::EdoProv>()); }},
    }));
    return table;
}

HRESULT CiudadObject::get_CodigoTel(BSTR* result) {
    return GetText(result, core().row().codigoTel);
}

HRESULT CiudadObject::put_CodigoTel(BSTR* value) {
    return SetText(value, [&](std::u16string_view text) { core().SetCodigoTel(text); });
}

HRESULT CiudadObject::get_Estado(nubex::EdoProv** result) {
    return Produce(result, [&]() -> nubex::EdoProv* { return state_.CopyOut(); });
}

}  // namespace nubex::com
