// New Sys_GUID texts: upper-case UUIDs, the same shape the schema's default produces.
#pragma once

#include <string>

namespace nubex::store {

std::u16string NewIdentifier();

}  // namespace nubex::store
