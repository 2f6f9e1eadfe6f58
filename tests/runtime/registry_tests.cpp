// The class registry and a library's exports as hosts use them: registration sections in a
// private store, creation by ProgID and CLSID, class factories and the unload rule.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "error_from.h"
#include "runtime/error.h"
#include "runtime/project.h"
#include "runtime/registry.h"
#include "temp_folder.h"
#include "test_thing.h"

namespace rt_test {
namespace {

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

const rt::RegistrySection* Section(const std::vector<rt::RegistrySection>& all,
                                   const std::string& heading) {
    for (const rt::RegistrySection& s : all) {
        if (s.heading == heading) return &s;
    }
    return nullptr;
}

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

TEST_F(RegistryTest, RegisterServerWritesClassProgIdAndTypeLibrary) {
    TestProject project(1);
    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    const auto all = rt::RegistryStore::Read();
    const std::string clsid = rt::GuidToString(project.clsid());
    const std::string libid = rt::GuidToString(GuidOf(1, 2));
    const std::string library = rt::LibraryFileOf(&kAnchor);
    ASSERT_FALSE(library.empty());

    const auto* cls = Section(all, "CLSID " + clsid);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->values.at("ProgID"), "Pruebas.Cosa1");
    EXPECT_EQ(cls->values.at("Description"), "Cosa de prueba");
    EXPECT_EQ(cls->values.at("InprocServer"), library);
    EXPECT_EQ(cls->values.at("TypeLib"), libid);
    const auto* progId = Section(all, "ProgID Pruebas.Cosa1");
    ASSERT_NE(progId, nullptr);
    EXPECT_EQ(progId->values.at("CLSID"), clsid);
    const auto* typeLib = Section(all, "TypeLib " + libid);
    ASSERT_NE(typeLib, nullptr);
    EXPECT_EQ(typeLib->values.at("Version"), "1.0");
    EXPECT_EQ(typeLib->values.at("LCID"), "0x409");
    EXPECT_EQ(typeLib->values.at("Path"), library);

    CLSID found{};
    ASSERT_EQ(rt::CLSIDFromProgID(u"Pruebas.Cosa1", &found), S_OK);
    EXPECT_EQ(found, project.clsid());
    EXPECT_EQ(rt::CLSIDFromProgID(u"Pruebas.Nada", &found), CO_E_CLASSSTRING);
}

TEST_F(RegistryTest, UnregisterServerRemovesOnlyItsOwnSections) {
    TestProject mine(1), theirs(2);
    ASSERT_EQ(rt::RegisterServer(mine.descriptor), S_OK);
    ASSERT_EQ(rt::RegisterServer(theirs.descriptor), S_OK);
    ASSERT_EQ(rt::RegistryStore::Write({{"Ajeno", {{"clave", "valor = con igual"}}}}, {}), S_OK);
    ASSERT_EQ(rt::UnregisterServer(mine.descriptor), S_OK);

    const auto all = rt::RegistryStore::Read();
    EXPECT_EQ(all.size(), 4u);
    EXPECT_FALSE(Section(all, "CLSID " + rt::GuidToString(mine.clsid())));
    EXPECT_FALSE(Section(all, "ProgID Pruebas.Cosa1"));
    EXPECT_FALSE(Section(all, "TypeLib " + rt::GuidToString(GuidOf(1, 2))));
    EXPECT_TRUE(rt::FindClassByProgId("Pruebas.Cosa2"));
    EXPECT_TRUE(Section(all, "TypeLib " + rt::GuidToString(GuidOf(2, 2))));
    ASSERT_TRUE(Section(all, "Ajeno"));
    EXPECT_EQ(Section(all, "Ajeno")->values.at("clave"), "valor = con igual");
}

TEST_F(RegistryTest, CreateObjectRaises429WhenItCannotCreate) {
    const auto numberOf = [](const std::function<void()>& create) {
        return mundor::testing::ErrorFrom(create).number();
    };
    TestProject project(3);
    EXPECT_EQ(numberOf([] { rt::CreateObject(u"Pruebas.NoExiste"); }), 429);
    EXPECT_EQ(numberOf([&] { rt::CreateInstance<ITestThing>(project.clsid()); }), 429);
    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    // Registered, but its file is no loadable component library.
    EXPECT_EQ(numberOf([] { rt::CreateObject(u"Pruebas.Cosa3"); }), 429);
}

TEST_F(RegistryTest, InProcessClassObjectsServeCreation) {
    TestProject project(4);
    ASSERT_EQ(rt::RegisterClassObject(project.clsid(), &rt::CreateInstanceOf<TestThing>), S_OK);
    rt::Ref<ITestThing> typed;
    ASSERT_EQ(rt::CoCreateInstance(project.clsid(), nullptr, ITestThing::iid,
                                   reinterpret_cast<void**>(typed.put())),
              S_OK);
    EXPECT_TRUE(typed);
    void* none = &none;
    EXPECT_EQ(rt::CoCreateInstance(project.clsid(), nullptr, IID_IClassFactory, &none),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    EXPECT_TRUE(rt::CreateObject(u"Pruebas.Cosa4").As<ITestThing>());
    rt::RevokeClassObject(project.clsid());
    rt::UnregisterServer(project.descriptor);
    EXPECT_EQ(rt::CoCreateInstance(project.clsid(), nullptr, IID_IUnknown, &none),
              REGDB_E_CLASSNOTREG);
}

TEST_F(RegistryTest, LiveObjectsAndLocksKeepTheLibraryLoaded) {
    TestProject project(5);
    const rt::ProjectDescriptor& p = project.descriptor;
    ASSERT_EQ(rt::CanUnloadNow(p), S_OK);

    rt::Ref<IClassFactory> factory;
    ASSERT_EQ(rt::GetClassObject(p, project.clsid(), IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.put())),
              S_OK);
    EXPECT_EQ(rt::CanUnloadNow(p), S_FALSE);
    rt::Ref<IDispatch> object;
    ASSERT_EQ(
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object.put())),
        S_OK);
    void* none = &none;
    EXPECT_EQ(factory->CreateInstance(object.get(), IID_IUnknown, &none), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(none, nullptr);
    factory.reset();
    EXPECT_EQ(rt::CanUnloadNow(p), S_FALSE) << "a live object keeps the library";
    object.reset();
    EXPECT_EQ(rt::CanUnloadNow(p), S_OK);

    ASSERT_EQ(rt::GetClassObject(p, project.clsid(), IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.put())),
              S_OK);
    factory->LockServer(1);
    factory.reset();
    EXPECT_EQ(rt::CanUnloadNow(p), S_FALSE) << "a lock keeps the library";
    ASSERT_EQ(rt::GetClassObject(p, project.clsid(), IID_IUnknown,
                                 reinterpret_cast<void**>(factory.put())),
              S_OK);
    factory->LockServer(0);
    factory.reset();
    EXPECT_EQ(rt::CanUnloadNow(p), S_OK);

    EXPECT_EQ(rt::GetClassObject(p, GuidOf(99, 1), IID_IClassFactory, &none),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
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

// Sets an environment variable for the life of the object and puts the earlier value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) {
            ::setenv(name_, previous_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

// The machine's registry, written by a package's installer, and the user's own, in their places
// (not moved by SetRegistryPath): a class only the system registers, and one both register.
class TwoRegistriesTest : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        rt::SetRegistryPath("");
        userFile = dir + "/datos/mundor/registry.ini";
        environment_.emplace_back("MUNDOR_REGISTRY", "");
        environment_.emplace_back("XDG_DATA_HOME", dir + "/datos");
        environment_.emplace_back("MUNDOR_SYSTEM_REGISTRY", dir + "/sistema.ini");
        WriteFile(dir + "/sistema.ini",
                  "[ProgID Pruebas.Sistema]\nCLSID=" + Clsid(1) + "\n[CLSID " + Clsid(1) +
                      "]\nInprocServer=/sistema/liba.so\n"
                      "[ProgID Pruebas.Ambos]\nCLSID=" +
                      Clsid(2) + "\n[CLSID " + Clsid(2) + "]\nInprocServer=/sistema/libb.so\n");
        WriteFile(userFile, "[ProgID Pruebas.Ambos]\nCLSID=" + Clsid(3) + "\n[CLSID " + Clsid(3) +
                                "]\nInprocServer=/usuario/libc.so\n");
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
    std::deque<ScopedEnvironment> environment_;
};

TEST_F(TwoRegistriesTest, TheSystemServesEveryUserAndTheUsersOwnEntryWins) {
    EXPECT_EQ(LibraryOf("Pruebas.Sistema"), "/sistema/liba.so");
    EXPECT_EQ(LibraryOf("Pruebas.Ambos"), "/usuario/libc.so");
}

TEST_F(TwoRegistriesTest, AMovedStoreStandsAlone) {
    ScopedEnvironment moved("MUNDOR_REGISTRY", userFile);
    EXPECT_EQ(LibraryOf("Pruebas.Sistema"), "(ninguna)");
    EXPECT_EQ(LibraryOf("Pruebas.Ambos"), "/usuario/libc.so");
}

TEST_F(TwoRegistriesTest, RegistrationsGoToTheUsersFileOnly) {
    TestProject project(4);
    ASSERT_EQ(rt::RegisterServer(project.descriptor), S_OK);
    std::ifstream system(dir + "/sistema.ini");
    const std::string systemText{std::istreambuf_iterator<char>(system), {}};
    EXPECT_EQ(systemText.find("Pruebas.Cosa4"), std::string::npos);
    EXPECT_EQ(rt::RegistryPath(), userFile);
    EXPECT_NE(LibraryOf("Pruebas.Cosa4"), "(ninguna)");
}

}  // namespace
}  // namespace rt_test
