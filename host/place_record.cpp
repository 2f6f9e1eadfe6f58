#include "host/place_record.h"

#include "host/record_lookup.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace mundor::host {

namespace {

LONG KeyOf(nubex::DataRecord& record) {
    LONG key = 0;
    rt::ThrowIfFailed(record.get_Sys_PK(&key));
    return key;
}

template <class Record>
std::u16string AreaCodeOf(const rt::Ref<IDispatch>& object) {
    rt::BString text;
    rt::ThrowIfFailed(object.As<Record>()->get_CodigoTel(text.put()));
    return text.str();
}

// The parent record a state or city loaded with itself.
LONG ParentKeyOf(Level level, const rt::Ref<IDispatch>& object) {
    if (level == Level::kEdoProv) {
        rt::Ref<nubex::Pais> pais;
        rt::ThrowIfFailed(object.As<nubex::EdoProv>()->get_IPais(pais.put()));
        return pais ? KeyOf(*pais) : 0;
    }
    if (level == Level::kCiudad) {
        rt::Ref<nubex::EdoProv> estado;
        rt::ThrowIfFailed(object.As<nubex::Ciudad>()->get_Estado(estado.put()));
        return estado ? KeyOf(*estado) : 0;
    }
    return 0;
}

}  // namespace

PlaceRecord ReadPlace(Level level, rt::Ref<IDispatch> object) {
    auto record = object.As<nubex::DataRecord>();
    if (!record) rt::RaiseObjectNotSet();
    PlaceRecord place{level, std::move(object), KeyOf(*record), {}, {}, 0};
    rt::BString name;
    rt::ThrowIfFailed(record->get_Nombre(name.put()));
    place.nombre = name.str();
    if (level == Level::kPais) place.codigoTel = AreaCodeOf<nubex::Pais>(place.object);
    if (level == Level::kCiudad) place.codigoTel = AreaCodeOf<nubex::Ciudad>(place.object);
    place.parentKey = ParentKeyOf(level, place.object);
    return place;
}

std::optional<PlaceRecord> LoadPlace(Level level, nubex::Catalog& catalog, LONG key) {
    rt::Ref<IDispatch> object = LoadRecordByKey(level, catalog, key);
    if (!object) return std::nullopt;
    return ReadPlace(level, std::move(object));
}

}  // namespace mundor::host
