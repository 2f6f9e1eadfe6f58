// FindFileExtension over real folders: which file of the component's folder gives the extension
// shown after the component's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/file_extension.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "temp_folder.h"

namespace {

using common_test::TempFolder;
using mundor::common::FindFileExtension;
namespace rt = mundor::rt;

TEST(FindFileExtension, GivesTheExtensionAsWrittenOnDisk) {
    TempFolder lower;
    lower.AddFile("Mundor.dll");
    EXPECT_EQ(FindFileExtension(lower.Text(), u"Mundor"), u".dll");

    TempFolder upper;
    upper.AddFile("Mundor.DLL");
    EXPECT_EQ(FindFileExtension(upper.Text(), u"Mundor"), u".DLL");
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

TEST(FindFileExtension, ComparesTheNameCaseSensitively) {
    TempFolder folder;
    folder.AddFile("mundor.dll");
    folder.AddFile("MUNDOR.tlb");
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), u"");
}

TEST(FindFileExtension, AFileNamedExactlyLikeTheBaseNameDoesNotMatch) {
    TempFolder folder;
    folder.AddFile("Mundor");
    folder.AddFile("Mundor.so");  // the other characters are "Mundo", not the base name
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), u"");
}

TEST(FindFileExtension, NamesShorterThanFourCharactersAreSkippedWithoutError) {
    TempFolder shortOnly;
    for (const char* name : {"a", "ab", "abc"}) shortOnly.AddFile(name);
    EXPECT_EQ(FindFileExtension(shortOnly.Text(), u""), u"");

    // Four characters is the shortest name that can match: all of it is the extension.
    TempFolder withFour;
    withFour.AddFile("abc");
    withFour.AddFile("abcd");
    EXPECT_EQ(FindFileExtension(withFour.Text(), u""), u"abcd");
}

TEST(FindFileExtension, AnyFourLastCharactersCount) {
    TempFolder folder;
    folder.AddFile("Mundor_old");
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), u"_old");
}

TEST(FindFileExtension, CountsCharactersNotBytes) {
    TempFolder folder;
    folder.AddFile("Módulo.día");
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Módulo"), u".día");
}

TEST(FindFileExtension, WalksPlainFilesOnly) {
    TempFolder folder;
    folder.AddFolder("Mundor.dir");
    folder.AddLink("Mundor.lnk", "no-such-target");  // a link that leads nowhere is no file
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), u"");

    folder.AddFile("Mundor.dll");
    EXPECT_EQ(FindFileExtension(folder.Text(), u"Mundor"), u".dll");
}

TEST(FindFileExtension, AFolderThatCannotBeListedRaisesPathNotFound) {
    TempFolder folder;
    const std::u16string missing = folder.Text() + u"/no-existe";
    try {
        FindFileExtension(missing, u"Mundor");
        FAIL() << "a missing folder was listed";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), mundor::common::kPathNotFound);
        EXPECT_NE(error.description().find(missing), std::u16string::npos)
            << rt::Utf16ToUtf8(error.description());
    }
}

}  // namespace
