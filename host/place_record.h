// One place of the catalog as the main window's commands use it: the record object loaded by
// key (what the component's launchers and deletes take) and what it says of itself.
#pragma once

#include <optional>
#include <string>

#include "contracts/data_objects.h"
#include "host/catalog_level.h"
#include "runtime/ref.h"

namespace mundor::host {

struct PlaceRecord {
    Level level = Level::kPais;
    rt::Ref<IDispatch> object;
    LONG sysPk = 0;
    std::u16string nombre;
    std::u16string codigoTel;  // countries and cities; empty for a state
    LONG parentKey = 0;        // a state's country, a city's state; 0 for a country
};

// Reads what the record object holds now (after a dialog saved it, say).
PlaceRecord ReadPlace(Level level, rt::Ref<IDispatch> object);

// The place with that key, loaded over the catalog's connection; none when no record of that
// level has it (another user deleted it).
std::optional<PlaceRecord> LoadPlace(Level level, nubex::Catalog& catalog, LONG key);

}  // namespace mundor::host
