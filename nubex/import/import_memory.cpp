#include "nubex/import/import_memory.h"

#include <array>

namespace nubex::import {

std::int64_t RowDigest(std::string_view codigo, std::string_view nombre, std::string_view codigoTel,
                       std::string_view parentGuid) {
    constexpr std::uint64_t kOffset = 14695981039346656037ULL;
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::uint64_t hash = kOffset;
    for (std::string_view field : std::array{codigo, nombre, codigoTel, parentGuid}) {
        for (unsigned char byte : field) hash = (hash ^ byte) * kPrime;
        // A byte no UTF-8 text holds, so that ("ab", "c") and ("a", "bc") differ.
        hash = (hash ^ 0xFFU) * kPrime;
    }
    return static_cast<std::int64_t>(hash);
}

ImportMemory::ImportMemory(db::Database& db) {
    auto statement = db.Prepare("SELECT Nivel, Id, Huella FROM Nubex_Importado");
    while (statement->Step()) {
        stored_.emplace(Key{static_cast<int>(statement->Int(0)), statement->Int(1)},
                        statement->Int(2));
    }
}

const std::int64_t* ImportMemory::Find(const Key& key) const {
    const auto found = stored_.find(key);
    return found == stored_.end() ? nullptr : &found->second;
}

void ImportMemory::Remember(const Key& key, std::int64_t digest) {
    const std::int64_t* known = Find(key);
    if (known == nullptr) {
        added_[key] = digest;
    } else if (*known != digest) {
        changed_[key] = digest;
    }
}

void ImportMemory::Save(db::Database& db) const {
    if (!changed_.empty()) {
        auto update =
            db.Prepare("UPDATE Nubex_Importado SET Huella = ?3 WHERE Nivel = ?1 AND Id = ?2");
        for (const auto& [key, digest] : changed_) {
            update->Bind(1, key.first);
            update->Bind(2, key.second);
            update->Bind(3, digest);
            update->Step();
        }
    }
    if (added_.empty()) return;
    auto insert = db.StartBulkInsert("Nubex_Importado", "Nivel, Id, Huella");
    for (const auto& [key, digest] : added_) {
        insert->Add(key.first);
        insert->Add(key.second);
        insert->Add(digest);
        insert->EndRow();
    }
    insert->Finish();
}

}  // namespace nubex::import
