#include "nubex/com/edoprov_object.h"

namespace nubex::com {

namespace rt = mundor::rt;

EdoProvObject::EdoProvObject() : EdoProvObject(rt::MakeObject<PaisObject>()) {}

EdoProvObject::EdoProvObject(rt::Ref<PaisObject> country)
    : RecordObject(store::kEdoProvTable, &country->core()), country_(std::move(country)) {}

const rt::DispatchTableBase& EdoProvObject::Table() {
    static const rt::DispatchTableBase table(RecordMembers<EdoProvObject>({
        {u"IPais",
         6,
         rt::MemberKind::Get,
         {},
         VT_DISPATCH,
         [](EdoProvObject& s, rt::Frame& f) { return s.get_IPais(f.RetObj<nubex::Pais>()); }},
    }));
    return table;
}

HRESULT EdoProvObject::get_IPais(nubex::Pais** result) {
    return Produce(result, [&]() -> nubex::Pais* { return country_.CopyOut(); });
}

}  // namespace nubex::com
