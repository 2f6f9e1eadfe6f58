// Sys_GUID of a dataset row: the name-based UUID (version 5, SHA-1) of the file's namespace and
// "country:<id>", "state:<id>" or "city:<id>", in the catalog's text form (upper case, no
// braces). The same row gets the same identifier on every import, which is what lets a second
// import update the first instead of adding a copy.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nubex/import/world_file.h"

namespace nubex::import {

class WorldGuid {
  public:
    // `namespaceText`: the file's "guid-namespace", already checked by the file reader.
    explicit WorldGuid(const std::string& namespaceText);
    std::string For(RowKind kind, std::int64_t id) const;

  private:
    std::array<unsigned char, 16> namespace_;
};

}  // namespace nubex::import
