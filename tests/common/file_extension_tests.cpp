// FindFileExtension over real folders: which file of the component's folder gives the extension
// shown after the component's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_extension.h"
#include "runtime/bstr.h"
#include "temp_folder.h"

namespace {

using mundor::common::FindFileExtension;
using mundor::test::TempFolder;
namespace rt = mundor::rt;

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

class FindFileExtensionIn : public ::testing::TestWithParam<Listing> {};

INSTANTIATE_TEST_SUITE_P(Folders, FindFileExtensionIn, ::testing::ValuesIn(kListings));

TEST_P(FindFileExtensionIn, GivesTheExtensionOfTheFirstMatchingPlainFile) {
    const Listing& listing = GetParam();
    SCOPED_TRACE(listing.what);
    TempFolder folder;
    for (const std::string& name : listing.files) folder.AddFile(name);
    for (const std::string& name : listing.folders) folder.AddFolder(name);
    for (const std::string& name : listing.deadLinks) folder.AddLink(name, "no-such-target");
    EXPECT_EQ(FindFileExtension(folder.Text(), listing.baseName), listing.extension);
}

TEST(FindFileExtension, TheFileListedFirstWins) {
    TempFolder folder;
    for (const char* name : {"Mundor.dll", "otro.txt", "Mundor.tlb", "Mundor.exp", "z.bin"}) {
        folder.AddFile(name);
    }
    const std::vector<std::string> listed = folder.ListedNames();
    const auto first = std::find_if(listed.begin(), listed.end(), [](const std::string& name) {
        return name.rfind("Mundor.", 0) == 0;
    });
    ASSERT_NE(first, listed.end());
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), rt::Utf8ToUtf16(first->substr(6)));
}

}  // namespace
