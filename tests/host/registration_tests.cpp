// The host registers the component and the data library as an installer does, and then creates
// Mundor.MundorFx by its ProgID alone.
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "error_from.h"
#include "host/component_registration.h"
#include "host/host_errors.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "temp_folder.h"

namespace mundor::host::testing {
namespace {

using mundor::testing::ErrorFrom;
using ::testing::HasSubstr;

// A registry of the test's own, empty at first; the process's is put back afterwards.
class RegistrationTest : public ::testing::Test {
  protected:
    RegistrationTest() : previous_(rt::RegistryPath()) { rt::SetRegistryPath(registry_.string()); }
    ~RegistrationTest() override { rt::SetRegistryPath(previous_); }

    std::string Store() const { return mundor::test::ReadFile(registry_); }

    mundor::test::TempFolder dir_;
    std::filesystem::path registry_ = dir_ / "registry.ini";
    std::string previous_;
};

TEST_F(RegistrationTest, CreatesMundorFxByItsProgIdOnceRegisteredAndLeavesARegistryThatServes) {
    EXPECT_EQ(ErrorFrom([] { CreateMundorFx(); }).number(), rt::err::kCannotCreateObject);
    EXPECT_EQ(ErrorFrom([] { FindLibrary("libno_existe.so"); }).number(), err::kFileNotFound);

    RegisterComponentLibraries();

    EXPECT_THAT(Store(), HasSubstr("InprocServer=" + FindLibrary(kComponentLibrary).string()));
    EXPECT_THAT(Store(), HasSubstr("InprocServer=" + FindLibrary(kDataLibrary).string()));
    rt::Ref<_MundorFx> fx = CreateMundorFx();
    ASSERT_TRUE(fx);
    EXPECT_EQ(rt::CallByName(fx.get(), u"LastErrorCode", rt::CallType::Get).AsLong(), 0);
    // The data library's records come from the registry too.
    EXPECT_TRUE(rt::CreateObject(u"Nubex.Pais").As<nubex::Pais>());

    // As an installed host over a package's registration: the registry already serves the
    // libraries, so it is not written again (a rewrite would drop the comment).
    std::ofstream(registry_, std::ios::app) << "# escrito a mano\n";
    RegisterComponentLibraries();
    EXPECT_THAT(Store(), HasSubstr("# escrito a mano"));
}

}  // namespace
}  // namespace mundor::host::testing
