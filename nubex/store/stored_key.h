// Keys as read back from a catalog. The library and the schema keep every key within
// 1..2147483647, the range of the API's Long; a value outside it (a row written into the file by
// hand, the schema's checks bypassed) would wrap into another row's key, so it is reported as a
// damaged catalog instead.
#pragma once

#include <cstdint>

#include "runtime/com_types.h"

namespace nubex::store {

// A row's own key. Raises 20009 (damaged catalog) outside 1..2147483647.
LONG StoredKey(std::int64_t value);
// A parent's key, where 0 stands for "no parent" (a country's).
LONG StoredParentKey(std::int64_t value);

}  // namespace nubex::store
