// The first run: the user's catalog does not exist yet, so the host creates it and fills it with
// the world (the real dataset) behind a progress dialog; cancelled, it leaves nothing behind.
#include <QDir>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/catalog_counts.h"
#include "host/host_application.h"
#include "host/host_errors.h"
#include "host_process.h"
#include "modal_answerer.h"
#include "nubex/import/world_file.h"

namespace mundor::host::testing {
namespace {

using ui::qt::testing::ModalAnswerer;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::string> FilesIn(const QString& folder) {
    std::vector<std::string> names;
    const auto entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : entries) names.push_back(name.toStdString());
    return names;
}

TEST(FirstRunTest, FillsTheUsersNewCatalogWithTheWholeWorld) {
    QTemporaryDir dir;
    const ProgramRun run =
        RunHostProgram({QStringLiteral("--exit-after-first-paint")}, HostEnvironment(dir.path()));
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, kExitOk) << run.err.toStdString();
    EXPECT_THAT(run.out.toStdString(), HasSubstr("first-paint"));

    const QString folder = dir.filePath(QStringLiteral("data/mundor"));
    EXPECT_THAT(FilesIn(folder), ElementsAre("catalog.db"));
    const auto counts = CountCatalog((folder + QStringLiteral("/catalog.db")).toStdString());
    ASSERT_TRUE(counts);
    const auto world = nubex::import::ReadWorldFile(WORLD_DATASET).counts;
    EXPECT_EQ(counts->paises, world.paises);
    EXPECT_EQ(counts->estados, world.estados);
    EXPECT_EQ(counts->ciudades, world.ciudades);
}

TEST(FirstRunTest, ACancelledFirstRunEndsTheHostWithItsOwnStatus) {
    QTemporaryDir dir;
    HostOptions options;
    options.catalogPath = dir.filePath(QStringLiteral("nuevo.db")).toStdString();
    ModalAnswerer answerer;
    answerer.ThenPress(QStringLiteral("Cancelar")).ThenPress(QStringLiteral("Aceptar"));

    ::testing::internal::CaptureStderr();
    const int status = RunHost(options);
    const std::string err = ::testing::internal::GetCapturedStderr();

    // Cancelled, the fill leaves no catalog behind.
    EXPECT_EQ(status, kExitCatalogNotCreated);
    EXPECT_THAT(err, HasSubstr("no se creó el catálogo"));
    EXPECT_EQ(answerer.answered(), 2);
    EXPECT_THAT(FilesIn(dir.path()), IsEmpty());
}

}  // namespace
}  // namespace mundor::host::testing
