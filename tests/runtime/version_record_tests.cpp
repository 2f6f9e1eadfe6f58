// The version record a library carries in an ELF note: files that hold none, and the entries
// parsed. (LoadedLibrary.VersionRecordIsReadableFromTheFileWithoutLoadingIt in the facade's tests
// reads the note of the component library itself.)
#include <gtest/gtest.h>

#include <elf.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "runtime/version_record.h"
#include "temp_folder.h"

namespace rt_test {
namespace {

namespace rt = mundor::rt;

TEST(VersionRecord, FilesWithoutARecordGiveNothing) {
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shoff = 1 << 20;  // section headers past the end of the file
    const mundor::test::TempFolder folder;
    const std::string path = (folder / "libnada.so").string();
    EXPECT_FALSE(rt::ReadVersionRecordFromFile(path)) << "no file at all";
    for (const std::string& bytes :
         {std::string("esto no es un ELF\n"),
          std::string(reinterpret_cast<const char*>(&header), sizeof header),
          std::string(ELFMAG, SELFMAG)}) {
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_FALSE(rt::ReadVersionRecordFromFile(path)) << bytes.size() << " bytes";
    }
}

TEST(VersionRecord, ParsesEntriesUpToTheGivenSize) {
    const char data[] = "FileVersion=0.9.0.10\0Suelto\0Nota=x=y\0Vacia=\0Final=7";
    const auto record = rt::ParseVersionRecord(data, sizeof data - 1);
    EXPECT_EQ(record.fields.size(), 4u);
    EXPECT_EQ(record.get("Nota"), "x=y");
    EXPECT_EQ(record.fields.count("Vacia"), 1u);
    EXPECT_EQ(record.get("Vacia"), "");
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
