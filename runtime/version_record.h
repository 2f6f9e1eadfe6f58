// The version record a library carries in an ELF note (".note.mundor.version"): readable from
// the file without loading it, and through the runtime for a loaded library.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "runtime/export.h"

namespace mundor::rt {

inline constexpr const char* kVersionNoteName = "MundorVersion";
inline constexpr std::uint32_t kVersionNoteType = 0x4D56;  // 'MV'

struct VersionRecord {
    std::map<std::string, std::string> fields;  // FileVersion, ProductName, Language, ...
    std::string get(const std::string& key) const {
        auto it = fields.find(key);
        return it == fields.end() ? std::string() : it->second;
    }
    // Major, minor, build and revision parsed from "FileVersion" ("0.9.0.10").
    MUNDOR_API bool VersionParts(std::uint16_t parts[4]) const;
};

// Reads the record from an ELF file on disk; nothing when the file has none or is not ELF.
MUNDOR_API std::optional<VersionRecord> ReadVersionRecordFromFile(const std::string& path);
// Parses the note's descriptor: NUL-separated "Key=Value" entries.
MUNDOR_API VersionRecord ParseVersionRecord(const char* data, std::size_t size);

}  // namespace mundor::rt

// Emits a version note into the library being compiled. `body` is a string literal of
// NUL-separated "Key=Value" entries ending in a NUL.
#define MUNDOR_VERSION_NOTE(body)                                         \
    namespace {                                                           \
    struct alignas(4) MundorVersionNote {                                 \
        std::uint32_t namesz = sizeof("MundorVersion");                   \
        std::uint32_t descsz = sizeof(body);                              \
        std::uint32_t type = 0x4D56;                                      \
        char name[(sizeof("MundorVersion") + 3) & ~3u] = "MundorVersion"; \
        char desc[(sizeof(body) + 3) & ~3u] = body;                       \
    };                                                                    \
    [[gnu::used, gnu::section(".note.mundor.version"),                    \
      gnu::aligned(4)]] const MundorVersionNote kVersionNote{};           \
    }
