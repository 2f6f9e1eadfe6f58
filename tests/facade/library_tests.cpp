// The library as a whole: self-registration, the application object the runtime reports for it,
// and its version record. (Creation by ProgID is how every browser test gets the component.)
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "error_from.h"
#include "raw_client.h"
#include "runtime/app_object.h"
#include "runtime/error.h"
#include "runtime/project.h"
#include "runtime/registry.h"
#include "runtime/version_record.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace mundor;

using mundor::test::ReadFile;

class RegistrationTest : public ::testing::Test {
  protected:
    RegistrationTest() { rt::SetRegistryPath(registry_.string()); }
    ~RegistrationTest() override { rt::SetRegistryPath({}); }

    mundor::test::TempFolder dir_;
    fs::path registry_ = dir_ / "registry.ini";
    rawcom::Library lib_{MUNDOR_LIBRARY_PATH};
};

TEST_F(RegistrationTest, RegisterRecordsClassProgIdTypeLibraryAndPathUnregisterOnlyThat) {
    std::ofstream(registry_)
        << "[ProgID Otro.Componente]\nCLSID={00000000-0000-0000-0000-000000000001}\n";
    ASSERT_EQ(lib_.Register(), S_OK);
    const std::string store = ReadFile(registry_);
    // By its SONAME link, which a package update that replaces the file keeps.
    const std::string library = fs::absolute(MUNDOR_LIBRARY_SONAME_PATH).string();
    EXPECT_NE(store.find("[CLSID {E00B7085-B889-41DD-B459-0FAC1480F3FB}]"), std::string::npos);
    EXPECT_NE(store.find("[ProgID Mundor.MundorFx]"), std::string::npos);
    EXPECT_NE(store.find("[TypeLib {C8185A22-BEE1-4DE2-AFC4-FF1CB7F52EA5}]"), std::string::npos);
    EXPECT_NE(store.find("Name=Mundor"), std::string::npos);
    EXPECT_NE(store.find("Version=1.1"), std::string::npos);
    EXPECT_NE(store.find("LCID=0x409"), std::string::npos);
    EXPECT_NE(store.find("InprocServer=" + library + "\n"), std::string::npos);

    ASSERT_EQ(lib_.Register(), S_OK);  // twice still leaves one copy
    ASSERT_EQ(lib_.Unregister(), S_OK);
    const std::string left = ReadFile(registry_);
    EXPECT_EQ(left.find("Mundor.MundorFx"), std::string::npos);
    EXPECT_EQ(left.find("C8185A22"), std::string::npos);
    EXPECT_EQ(left.find("E00B7085"), std::string::npos);
    EXPECT_NE(left.find("[ProgID Otro.Componente]"), std::string::npos);
    EXPECT_EQ(mundor::testing::ErrorFrom([] { rt::CreateObject(u"Mundor.MundorFx"); }).number(),
              rt::err::kCannotCreateObject);
}

TEST(LoadedLibrary, ReportsItsApplicationObjectThroughTheRuntime) {
    rawcom::Library lib(MUNDOR_LIBRARY_PATH);
    const rt::ProjectDescriptor* project = rt::FindLoadedProject("Mundor");
    ASSERT_NE(project, nullptr);
    const rt::AppObject app = rt::ApplicationOf(*project);
    const fs::path file = fs::canonical(MUNDOR_LIBRARY_PATH);
    EXPECT_EQ(app.Title, u"Mundor");
    EXPECT_EQ(rt::Utf16ToUtf8(app.Path), file.parent_path().string());
    EXPECT_EQ(app.EXEName, u"libmundor");  // without ".so.0.9.0.10"
    EXPECT_EQ(app.Major, 0);
    EXPECT_EQ(app.Minor, 9);
    EXPECT_EQ(app.Revision, 10);
}

TEST(LoadedLibrary, VersionRecordIsReadableFromTheFileWithoutLoadingIt) {
    const auto record = rt::ReadVersionRecordFromFile(MUNDOR_LIBRARY_PATH);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->get("FileVersion"), "0.9.0.10");
    EXPECT_EQ(record->get("ProductVersion"), "0.9.0.10");
    EXPECT_EQ(record->get("FileVersionText"), "0.09.0010");
    EXPECT_EQ(record->get("ProductName"), "Mundor");
    EXPECT_EQ(record->get("InternalName"), "Mundor");
    EXPECT_EQ(record->get("OriginalFilename"), "libmundor.so");
    // The file's own version, which its name carries too (libmundor.so.0.9.0.10).
    EXPECT_TRUE(std::string(MUNDOR_LIBRARY_PATH).ends_with(".so." + record->get("FileVersion")));
    EXPECT_EQ(record->get("Language"), "0x0C0A");
    EXPECT_EQ(record->get("CodePage"), "1200");
    EXPECT_EQ(record->fields.count("OLESelfRegister"), 1u);
}

}  // namespace
