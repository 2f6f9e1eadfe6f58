// The host registers the component and the data library as an installer does, and then creates
// Mundor.MundorFx by its ProgID alone.
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "error_from.h"
#include "host/component_registration.h"
#include "host/host_errors.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace mundor::host::testing {
namespace {

using mundor::testing::ErrorFrom;
using ::testing::HasSubstr;

// A registry of the test's own, empty at first; the process's is put back afterwards.
class RegistrationTest : public ::testing::Test {
  protected:
    RegistrationTest() : previous_(rt::RegistryPath()) {
        rt::SetRegistryPath(registry_.toStdString());
    }
    ~RegistrationTest() override { rt::SetRegistryPath(previous_); }

    std::string Store() const {
        QFile file(registry_);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir dir_;
    QString registry_ = dir_.filePath(QStringLiteral("registry.ini"));
    std::string previous_;
};

TEST_F(RegistrationTest, CreatesMundorFxByItsProgIdOnceRegisteredAndLeavesARegistryThatServes) {
    EXPECT_EQ(ErrorFrom([] { CreateMundorFx(); }).number(), rt::err::kCannotCreateObject);

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
    QFile file(registry_);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("# escrito a mano\n");
    file.close();
    RegisterComponentLibraries();
    EXPECT_THAT(Store(), HasSubstr("# escrito a mano"));
}

TEST_F(RegistrationTest, ALibraryThatCannotServeIsRefusedWithTheReason) {
    const QString notALibrary = dir_.filePath(QStringLiteral("libfalsa.so"));
    QFile file(notALibrary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no soy una biblioteca");
    file.close();
    EXPECT_EQ(ErrorFrom([&] { RegisterLibrary(notALibrary.toStdString()); }).number(),
              err::kLibraryNotLoadable);
    // A real library, but not a component: it has no DllRegisterServer.
    EXPECT_EQ(ErrorFrom([] { RegisterLibrary(FindLibrary("libmundor_ui.so")); }).number(),
              err::kEntryPointMissing);
    EXPECT_EQ(ErrorFrom([] { FindLibrary("libno_existe.so"); }).number(), err::kFileNotFound);
    EXPECT_EQ(Store(), "");
}

}  // namespace
}  // namespace mundor::host::testing
