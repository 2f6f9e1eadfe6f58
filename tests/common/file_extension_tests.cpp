// FindFileExtension over real folders: which file of the component's folder gives the extension
// shown after the component's name in a window's banner, and the error a folder that cannot be
// listed raises. (BrowserWindow's banner case shows the name, folder and version it is part of.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/file_extension.h"
#include "error_from.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
namespace rt = mundor::rt;
using mundor::common::FindFileExtension;
using mundor::test::TempFolder;
using mundor::testing::ErrorFrom;

// A folder's entries, the base name asked for, and the extension that comes back.
struct Listing {
    const char* what;
    std::vector<std::string> files;
    std::u16string baseName;
    std::u16string extension;
    std::vector<std::string> folders = {};
    std::vector<std::string> deadLinks = {};
};

const Listing kListings[] = {
    {"as written on disk", {"Mundor.dll"}, u"Mundor", u".dll"},
    {"as written on disk, capitals", {"Mundor.DLL"}, u"Mundor", u".DLL"},
    {"the name compares case-sensitively", {"mundor.dll", "MUNDOR.tlb"}, u"Mundor", u""},
    // Beside "Mundor", the other characters of "Mundor.so" are "Mundo", not the base name.
    {"a file named exactly like the base name", {"Mundor", "Mundor.so"}, u"Mundor", u""},
    {"names shorter than four characters", {"a", "ab", "abc"}, u"", u""},
    {"four characters, all of them the extension", {"abc", "abcd"}, u"", u"abcd"},
    {"any four last characters", {"Mundor_old"}, u"Mundor", u"_old"},
    {"characters, not bytes", {"Módulo.día"}, u"Módulo", u".día"},
    {"folders and links that lead nowhere are no files",
     {},
     u"Mundor",
     u"",
     {"Mundor.dir"},
     {"Mundor.lnk"}},
    {"a plain file beside them",
     {"Mundor.dll"},
     u"Mundor",
     u".dll",
     {"Mundor.dir"},
     {"Mundor.lnk"}},
};

void AddFile(const fs::path& path) {
    std::ofstream(path) << "x";
}

std::u16string TextOf(const fs::path& path) {
    return rt::Utf8ToUtf16(path.string());
}

class FindFileExtensionIn : public ::testing::TestWithParam<Listing> {};

INSTANTIATE_TEST_SUITE_P(Folders, FindFileExtensionIn, ::testing::ValuesIn(kListings));

TEST_P(FindFileExtensionIn, GivesTheExtensionOfTheFirstMatchingPlainFile) {
    const Listing& listing = GetParam();
    SCOPED_TRACE(listing.what);
    const TempFolder folder;
    for (const std::string& name : listing.files) AddFile(folder / name);
    for (const std::string& name : listing.folders) fs::create_directory(folder / name);
    for (const std::string& name : listing.deadLinks) fs::create_symlink("nada", folder / name);
    EXPECT_EQ(FindFileExtension(TextOf(folder.path()), listing.baseName), listing.extension);
}

TEST(FindFileExtension, TheFileListedFirstWins) {
    const TempFolder folder;
    for (const char* name : {"Mundor.dll", "otro.txt", "Mundor.tlb", "Mundor.exp", "z.bin"}) {
        AddFile(folder / name);
    }
    std::string first;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (first.empty() && name.rfind("Mundor.", 0) == 0) first = name;
    }
    EXPECT_EQ(FindFileExtension(TextOf(folder.path()), u"Mundor"),
              rt::Utf8ToUtf16(first.substr(6)));
}

TEST(FindFileExtension, AFolderThatCannotBeListedRaisesPathNotFoundNamingIt) {
    const TempFolder folder;
    AddFile(folder / "archivo");
    for (const fs::path& path : {folder / "no-existe", folder / "archivo"}) {
        const rt::RuntimeError error = ErrorFrom([&] { FindFileExtension(TextOf(path), u"M"); });
        EXPECT_EQ(error.number(), mundor::common::kPathNotFound);
        EXPECT_EQ(error.description(),
                  u"No se encontró la ruta de acceso: '" + TextOf(path) + u"'");
    }
}

}  // namespace
