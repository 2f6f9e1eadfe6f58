// The order in which views list their rows: by name as a Spanish reader expects it (accents
// and case do not move a name away from its letter), then by key for equal names.
#pragma once

#include <vector>

#include "nubex/store/row.h"

namespace nubex::store {

void SortByName(std::vector<Row>& rows);

}  // namespace nubex::store
