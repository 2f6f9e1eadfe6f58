// What the importer remembers of the rows it wrote (the catalog's table Nubex_Importado): per
// dataset row, a digest of the values it wrote. A later import tells by it a row still as
// imported from one a user changed, and a row a user deleted from one the dataset never had.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <utility>

#include "nubex/backend/database.h"

namespace nubex::import {

// A digest of a row's values: code, name, telephone code (empty where the dataset has none)
// and the parent's Sys_GUID. 64-bit FNV-1a over the fields and a separator after each.
std::int64_t RowDigest(std::string_view codigo, std::string_view nombre, std::string_view codigoTel,
                       std::string_view parentGuid);

class ImportMemory {
  public:
    using Key = std::pair<int, std::int64_t>;  // (level 1..3, the dataset's id)

    // Reads the whole memory of the catalog.
    explicit ImportMemory(db::Database& db);

    // The digest last written for the row, or nullptr when the import never wrote it.
    const std::int64_t* Find(const Key& key) const;

    // Remembers a digest, written to the catalog by Save.
    void Remember(const Key& key, std::int64_t digest);

    // Writes what Remember changed, in the caller's transaction.
    void Save(db::Database& db) const;

  private:
    std::map<Key, std::int64_t> stored_;
    std::map<Key, std::int64_t> added_;
    std::map<Key, std::int64_t> changed_;
};

}  // namespace nubex::import
