// mundor-host's command line as a user types it: an option left without its value is refused
// before anything is opened or made, and a catalog's path reaches the library as the bytes the
// user gave, whatever their encoding.
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog_backends.h"
#include "host/host_errors.h"
#include "host_process.h"
#include "nubex/nubex.h"

namespace mundor::host::testing {
namespace {

using ::testing::HasSubstr;

struct MissingValue {
    const char* name;
    QStringList arguments;
    const char* inMessage;
};

void PrintTo(const MissingValue& value, std::ostream* out) {
    *out << value.name;
}

class MissingValueTest : public ::testing::TestWithParam<MissingValue> {};

TEST_P(MissingValueTest, IsRefusedAndNothingIsOpenedOrMade) {
    QTemporaryDir dir;
    const ProgramRun run = RunHostProgram(GetParam().arguments, HostEnvironment(dir.path()));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitCommandLine) << run.err.toStdString();
    EXPECT_THAT(run.err.toStdString(), HasSubstr(GetParam().inMessage));
    EXPECT_FALSE(std::filesystem::exists(dir.filePath(QStringLiteral("data")).toStdString()));
    EXPECT_FALSE(std::filesystem::exists("--exit-after-first-paint"));
}

INSTANTIATE_TEST_SUITE_P(
    HostProgramTest, MissingValueTest,
    ::testing::Values(
        MissingValue{"catalog_followed_by_an_option",
                     {QStringLiteral("--catalog"), QStringLiteral("--exit-after-first-paint")},
                     "--catalog: le falta el valor: \"--exit-after-first-paint\" es otra opción"},
        MissingValue{
            "empty_catalog",
            {QStringLiteral("--catalog"), QString(), QStringLiteral("--exit-after-first-paint")},
            "--catalog: le falta el valor: está vacío"},
        MissingValue{"screenshot_followed_by_an_option",
                     {QStringLiteral("--screenshot"), QStringLiteral("-c"), QStringLiteral("x.db")},
                     "--screenshot: le falta el valor: \"-c\" es otra opción"}),
    [](const auto& test) { return std::string(test.param.name); });

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

TEST(HostProgramTest, ACatalogWhosePathIsNotUtf8IsOpenedAsItIs) {
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("catalogos")).toStdString();
    std::filesystem::create_directory(folder);
    // "catálogo.db" as Latin-1 writes it: the byte 0xE1 alone is not UTF-8.
    const std::string path = folder + "/cat\xE1logo.db";
    { auto catalog = nubex::OpenCatalog(path, {.create = true}); }

    const std::string out = dir.filePath(QStringLiteral("out.txt")).toStdString();
    const std::string command =
        "env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=" +
        Quoted(dir.filePath(QStringLiteral("data")).toStdString()) +
        " MUNDOR_REGISTRY=" + Quoted(dir.filePath(QStringLiteral("registry.ini")).toStdString()) +
        " " + Quoted(MUNDOR_HOST_PROGRAM) + " --catalog " + Quoted(path) +
        " --exit-after-first-paint >" + Quoted(out) + " 2>&1 </dev/null";
    const int raw = std::system(command.c_str());
    std::stringstream output;
    output << std::ifstream(out).rdbuf();

    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), kExitOk) << output.str();
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(files, ::testing::ElementsAre("cat\xE1logo.db")) << output.str();
    EXPECT_EQ(mundor::test::RawCatalog(path).QueryInt("SELECT count(*) FROM Ciudad"), 0);
}

}  // namespace
}  // namespace mundor::host::testing
