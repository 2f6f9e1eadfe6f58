// The version record a library carries in an ELF note, read from files on disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <elf.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "runtime/version_record.h"

// This test program carries a record of its own, so the reader meets a real ELF file.
MUNDOR_VERSION_NOTE(
    "FileVersion=1.2.3.4\0"
    "ProductName=Pruebas\0"
    "Comments=a=b\0"
    "Empty=\0")

namespace rt_test {
namespace {

namespace rt = mundor::rt;

std::string TempFileWith(const std::string& bytes) {
    char pattern[] = "/tmp/mundor-version-XXXXXX";
    const int fd = ::mkstemp(pattern);
    EXPECT_GE(fd, 0);
    ::close(fd);
    std::ofstream(pattern, std::ios::binary) << bytes;
    return pattern;
}

TEST(VersionRecord, ReadsTheNoteOfARealElfFile) {
    const auto record = rt::ReadVersionRecordFromFile("/proc/self/exe");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->get("ProductName"), "Pruebas");
    EXPECT_EQ(record->get("Comments"), "a=b");
    EXPECT_EQ(record->get("Empty"), "");
    EXPECT_EQ(record->fields.count("Empty"), 1u);
    std::uint16_t parts[4] = {};
    ASSERT_TRUE(record->VersionParts(parts));
    EXPECT_EQ(parts[3], 4);
}

TEST(VersionRecord, FilesWithoutARecordGiveNothing) {
    EXPECT_FALSE(rt::ReadVersionRecordFromFile("/nonexistent/libnada.so"));
    const std::string text = TempFileWith("esto no es un ELF\n");
    EXPECT_FALSE(rt::ReadVersionRecordFromFile(text));
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shoff = 1 << 20;  // section headers past the end of the file
    const std::string truncated =
        TempFileWith(std::string(reinterpret_cast<const char*>(&header), sizeof header));
    EXPECT_FALSE(rt::ReadVersionRecordFromFile(truncated));
    const std::string stub = TempFileWith(std::string(ELFMAG, SELFMAG));
    EXPECT_FALSE(rt::ReadVersionRecordFromFile(stub));
    for (const std::string& path : {text, truncated, stub}) ::unlink(path.c_str());
}

TEST(VersionRecord, ParsesEntriesUpToTheGivenSize) {
    const char data[] = "FileVersion=0.9.0.10\0Suelto\0Nota=x=y\0Final=7";
    const auto record = rt::ParseVersionRecord(data, sizeof data - 1);
    EXPECT_EQ(record.fields.size(), 3u);
    EXPECT_EQ(record.get("Nota"), "x=y");
    EXPECT_EQ(record.get("Final"), "7");
    std::uint16_t parts[4] = {};
    ASSERT_TRUE(record.VersionParts(parts));
    EXPECT_EQ(parts[1], 9);
    EXPECT_EQ(parts[3], 10);
    EXPECT_FALSE(rt::ParseVersionRecord("FileVersion=1.2.3", 17).VersionParts(parts));
    EXPECT_FALSE(rt::ParseVersionRecord("FileVersion=70000.1.1.1", 23).VersionParts(parts));
}

}  // namespace
}  // namespace rt_test
