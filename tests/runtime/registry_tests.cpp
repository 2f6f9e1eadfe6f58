// The class registry and a library's exports as hosts use them: registration sections in a
// private store, creation by ProgID and CLSID, class factories and the unload rule.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "error_from.h"
#include "runtime/error.h"
#include "runtime/project.h"
#include "runtime/registry.h"
#include "temp_folder.h"
#include "test_thing.h"

namespace rt_test {
namespace {

using mundor::testing::ErrorFrom;

const char kAnchor = 0;

GUID GuidOf(int project, std::uint16_t kind) {
    return {0x5E000000u + static_cast<std::uint32_t>(project),
            kind,
            0x4D55,
            {0x8A, 0x01, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(project)}};
}

// A project with one class of its own: CLSID, ProgID "Pruebas.CosaN" and type library.
struct TestProject {
    explicit TestProject(int n) : progId("Pruebas.Cosa" + std::to_string(n)) {
        classes[0] = {GuidOf(n, 1), progId.c_str(), "Cosa de prueba",
                      &rt::CreateInstanceOf<TestThing>};
        descriptor = {
            "Pruebas", {GuidOf(n, 2), "Pruebas", 1, 0, 0x409}, classes, &TestModule(), &kAnchor};
    }
    TestProject(const TestProject&) = delete;
    TestProject& operator=(const TestProject&) = delete;

    CLSID clsid() const { return classes[0].clsid; }
    std::string progId;
    std::array<rt::ClassDescriptor, 1> classes{};
    rt::ProjectDescriptor descriptor{};
};

class RegistryTest : public ::testing::Test {
  protected:
    RegistryTest() { rt::SetRegistryPath((folder / "registry.ini").string()); }
    ~RegistryTest() override { rt::SetRegistryPath(""); }
    mundor::test::TempFolder folder;
    std::string dir = folder.path().string();
};

TEST(GuidText, RoundTripsAndRejectsMalformedText) {
    const GUID g = GuidOf(7, 0xBEEF);
    const std::string text = rt::GuidToString(g);
    EXPECT_EQ(text, "{5E000007-BEEF-4D55-8A01-000000000007}");
    EXPECT_EQ(rt::GuidFromString(text), g);
    EXPECT_EQ(rt::GuidFromString("{5e000007-beef-4d55-8a01-000000000007}"), g);
    for (const char* bad :
         {"", "{}", "5E000007-BEEF-4D55-8A01-000000000007",
          "{5E000007-BEEF-4D55-8A01-00000000000G}", "{5E000007-BEEF-4D55-8A0100-0000000007}",
          "{5E000007-BEEF-4D55-8A01-0000000000 7}", "{5E000007-BEEF-4D55-8A01-0000000000007}",
          "(5E000007-BEEF-4D55-8A01-000000000007)"}) {
        EXPECT_FALSE(rt::GuidFromString(bad)) << bad;
    }
}

// The sections RegisterServer writes, and that UnregisterServer removes leaving every other,
// RegistrationTest in the facade's tests and Registration in nubex's read back for the component
// libraries themselves; here, what creation makes of them.
TEST_F(RegistryTest, CreateObjectPrefersTheProcesssClassObjectsAndRaises429WhenItCannotCreate) {
    TestProject project(3);
    EXPECT_EQ(ErrorFrom([&] { rt::CreateInstance<ITestThing>(project.clsid()); }).number(), 429);
    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    ASSERT_EQ(rt::RegisterClassObject(project.clsid(), &rt::CreateInstanceOf<TestThing>), S_OK);
    EXPECT_TRUE(rt::CreateObject(u"Pruebas.Cosa3").As<ITestThing>());
    rt::RevokeClassObject(project.clsid());
    // Registered, but its file is no loadable component library.
    EXPECT_EQ(ErrorFrom([] { rt::CreateObject(u"Pruebas.Cosa3"); }).number(), 429);
}

// The objects a factory made keep the library too, and locks do, and classes the project does
// not have are refused: the component libraries' own exports drive the same runtime functions
// (RawClientTest.LiveObjectsAndLocksKeepTheLibraryLoaded in the facade's tests, and
// Registration.DllGetClassObjectServesTheClasses... in nubex's).
TEST_F(RegistryTest, AFactoryAloneKeepsTheLibraryLoadedAndRefusesAggregation) {
    TestProject project(5);
    const rt::ProjectDescriptor& p = project.descriptor;
    ASSERT_EQ(rt::CanUnloadNow(p), S_OK);
    rt::Ref<IClassFactory> factory;
    ASSERT_EQ(rt::GetClassObject(p, project.clsid(), IID_IUnknown,
                                 reinterpret_cast<void**>(factory.put())),
              S_OK);
    EXPECT_EQ(rt::CanUnloadNow(p), S_FALSE);
    void* none = &none;
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, &none), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(none, nullptr);
    factory.reset();
    EXPECT_EQ(rt::CanUnloadNow(p), S_OK);
}

TEST_F(RegistryTest, ConcurrentProcessesLoseNoRegistration) {
    constexpr int kProcesses = 4;
    constexpr int kEach = 5;
    std::vector<pid_t> children;
    for (int c = 0; c < kProcesses; ++c) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < kEach; ++i) {
                TestProject project(20 + c * kEach + i);
                ok = ok && rt::RegisterServer(project.descriptor) == S_OK;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int n = 20; n < 20 + kProcesses * kEach; ++n) {
        EXPECT_TRUE(rt::FindClassByProgId("Pruebas.Cosa" + std::to_string(n))) << n;
    }
}

// The machine's registry, written by a package's installer, and the user's own, in their places
// (not moved by SetRegistryPath): a class only the system registers, and one both register.
class TwoRegistriesTest : public RegistryTest {
  protected:
    void SetUp() override {
        rt::SetRegistryPath("");
        userFile = dir + "/datos/mundor/registry.ini";
        Set("MUNDOR_REGISTRY", "");
        Set("XDG_DATA_HOME", dir + "/datos");
        Set("MUNDOR_SYSTEM_REGISTRY", dir + "/sistema.ini");
        WriteFile(dir + "/sistema.ini",
                  "[ProgID Pruebas.Sistema]\nCLSID=" + Clsid(1) + "\n[CLSID " + Clsid(1) +
                      "]\nInprocServer=/sistema/a=b.so\n"
                      "[ProgID Pruebas.Ambos]\nCLSID=" +
                      Clsid(2) + "\n[CLSID " + Clsid(2) + "]\nInprocServer=/sistema/libb.so\n");
        WriteFile(userFile, "[ProgID Pruebas.Ambos]\nCLSID=" + Clsid(3) + "\n[CLSID " + Clsid(3) +
                                "]\nInprocServer=/usuario/libc.so\n");
    }
    // The environment as it was before the test, latest change undone first.
    void TearDown() override {
        for (auto set = saved_.rbegin(); set != saved_.rend(); ++set) {
            set->second ? ::setenv(set->first, set->second->c_str(), 1) : ::unsetenv(set->first);
        }
    }

    void Set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name, value.c_str(), 1);
    }
    static std::string Clsid(int n) { return rt::GuidToString(GuidOf(n, 1)); }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
    }
    static std::string LibraryOf(const char* progId) {
        const auto found = rt::FindClassByProgId(progId);
        return found ? found->library : "(ninguna)";
    }

    std::string userFile;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(TwoRegistriesTest, TheSystemServesEveryUserTheUsersOwnEntryWinsAndTakesRegistrations) {
    EXPECT_EQ(LibraryOf("Pruebas.Sistema"), "/sistema/a=b.so");  // a value may hold "="
    EXPECT_EQ(LibraryOf("Pruebas.Ambos"), "/usuario/libc.so");
    TestProject project(4);
    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    EXPECT_EQ(mundor::test::ReadFile(dir + "/sistema.ini").find("Pruebas.Cosa4"),
              std::string::npos);
    EXPECT_EQ(rt::RegistryPath(), userFile);
    EXPECT_NE(LibraryOf("Pruebas.Cosa4"), "(ninguna)");
    // A moved store stands alone.
    Set("MUNDOR_REGISTRY", userFile);
    EXPECT_EQ(LibraryOf("Pruebas.Sistema"), "(ninguna)");
    EXPECT_EQ(LibraryOf("Pruebas.Ambos"), "/usuario/libc.so");
}

}  // namespace
}  // namespace rt_test
