// The rows of the catalog's view V_Buscar: the hits of a search (nubex/search.h) in their order,
// with the fields Nivel (1 country, 2 state, 3 city), Coincidencia (1 whole name or code,
// 2 beginning, 3 words elsewhere), Sys_PK, Sys_GUID, Nombre, Codigo, Ruta ("Guadalajara —
// Jalisco — México"), IPais (the country of a state or city, else 0) and Estado (the state of a
// city, else 0).
#pragma once

#include <memory>
#include <vector>

#include "nubex/com/view_object.h"
#include "nubex/search.h"

namespace nubex::com {

std::unique_ptr<const ViewRows> SearchRows(std::vector<SearchHit> hits);

}  // namespace nubex::com
