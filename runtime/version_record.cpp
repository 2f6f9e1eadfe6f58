#include "runtime/version_record.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace mundor::rt {

namespace {

constexpr std::size_t Align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// Walks the notes of one SHT_NOTE section and returns the descriptor of ours, if present.
std::optional<VersionRecord> FindInNotes(const char* data, std::size_t size) {
    std::size_t offset = 0;
    const std::size_t nameLength = std::strlen(kVersionNoteName) + 1;
    while (offset + sizeof(Elf64_Nhdr) <= size) {
        Elf64_Nhdr header;
        std::memcpy(&header, data + offset, sizeof header);
        const std::size_t nameAt = offset + sizeof header;
        const std::size_t descAt = nameAt + Align4(header.n_namesz);
        const std::size_t next = descAt + Align4(header.n_descsz);
        if (next > size || next <= offset) return std::nullopt;
        const bool ours = header.n_type == kVersionNoteType && header.n_namesz == nameLength &&
                          std::memcmp(data + nameAt, kVersionNoteName, nameLength) == 0;
        if (ours) return ParseVersionRecord(data + descAt, header.n_descsz);
        offset = next;
    }
    return std::nullopt;
}

template <class T>
bool ReadAt(std::ifstream& in, std::uint64_t offset, T* out, std::size_t count = 1) {
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(sizeof(T) * count));
    return static_cast<bool>(in);
}

}  // namespace

bool VersionRecord::VersionParts(std::uint16_t parts[4]) const {
    const std::string text = get("FileVersion");
    unsigned values[4] = {0, 0, 0, 0};
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u", &values[0], &values[1], &values[2], &values[3]) !=
        4) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (values[i] > 0xFFFF) return false;
        parts[i] = static_cast<std::uint16_t>(values[i]);
    }
    return true;
}

VersionRecord ParseVersionRecord(const char* data, std::size_t size) {
    VersionRecord record;
    std::size_t start = 0;
    while (start < size) {
        const char* entry = data + start;
        const std::size_t length = strnlen(entry, size - start);
        const std::string text(entry, length);
        const auto eq = text.find('=');
        if (eq != std::string::npos) record.fields[text.substr(0, eq)] = text.substr(eq + 1);
        start += length + 1;
    }
    return record;
}

std::optional<VersionRecord> ReadVersionRecordFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    Elf64_Ehdr ehdr;
    if (!ReadAt(in, 0, &ehdr)) return std::nullopt;
    if (std::memcmp(ehdr.e_ident, ELFMAG, SELFMAG) != 0 || ehdr.e_ident[EI_CLASS] != ELFCLASS64) {
        return std::nullopt;
    }
    if (ehdr.e_shentsize != sizeof(Elf64_Shdr) || ehdr.e_shnum == 0 || ehdr.e_shnum > 4096) {
        return std::nullopt;
    }
    std::vector<Elf64_Shdr> sections(ehdr.e_shnum);
    if (!ReadAt(in, ehdr.e_shoff, sections.data(), sections.size())) return std::nullopt;
    for (const Elf64_Shdr& s : sections) {
        if (s.sh_type != SHT_NOTE || s.sh_size == 0 || s.sh_size > (1u << 20)) continue;
        std::vector<char> notes(s.sh_size);
        if (!ReadAt(in, s.sh_offset, notes.data(), notes.size())) return std::nullopt;
        if (auto record = FindInNotes(notes.data(), notes.size())) return record;
    }
    return std::nullopt;
}

}  // namespace mundor::rt
