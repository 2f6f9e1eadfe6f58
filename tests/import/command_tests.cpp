// The nubex-import program as a user or a script runs it: exit status, summary, messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::ScratchDir;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program in the scratch folder, with stdout and stderr sent to files, so neither is a
// terminal.
RunResult RunImport(const ScratchDir& dir, const std::string& arguments) {
    const auto out = dir / "stdout.txt";
    const auto err = dir / "stderr.txt";
    const std::string command = "cd '" + dir.path().string() + "' && '" + NUBEX_IMPORT_PROGRAM +
                                "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() +
                                "' </dev/null";
    const int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = mundor::test::ReadFile(out);
    result.err = mundor::test::ReadFile(err);
    return result;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

TEST(ImportCommandTest, LoadsTheGivenDatasetAndPrintsASummaryWithoutABar) {
    ScratchDir dir;
    import_test::WriteGzip(dir / "w.tsv.gz", import_test::SmallWorld(3, 2, 2).Text());

    const RunResult run =
        RunImport(dir, "--dataset " + Quoted(dir / "w.tsv.gz") + " " + Quoted(dir / "c.db"));

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("3 países, 6 estados y 12 ciudades"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("21 nuevas"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(CatalogFile((dir / "c.db").string()).Count("Ciudad"), 12);
}

// A run that cannot do its work: the status the help documents, the error, and no catalog made.
TEST(ImportCommandTest, WhatCannotBeDoneEndsWithItsStatusAndMakesNoCatalog) {
    const struct {
        const char* arguments;  // in the scratch folder, beside the dataset w.tsv.gz
        int status;
        const char* err;
    } cases[] = {
        {"-d nada.tsv.gz c.db", 2, "Error 20050: No se pudo abrir"},
        {"-d w.tsv.gz falta/c.db", 3, "Error 20053"},
        {"--overwrite -d w.tsv.gz c.db", 5,
         "Error 20056: --overwrite sin terminal necesita también --yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        ScratchDir dir;
        import_test::WriteGzip(dir / "w.tsv.gz", import_test::SmallWorld(1, 1, 1).Text());
        const RunResult run = RunImport(dir, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "c.db"));
        EXPECT_FALSE(std::filesystem::exists(dir / "falta"));
    }
}

struct CommandLineCase {
    const char* arguments;
    int status;  // as the help's "Salida" lists them
    const char* out;
    const char* err;
};

// Help, version and mistakes in Spanish, each with the status the help documents.
TEST(ImportCommandTest, ItsCommandLineIsAnsweredInSpanishWithItsDocumentedStatus) {
    const CommandLineCase cases[] = {
        {"--help", 0, "4 línea de órdenes incorrecta", ""},
        {"--version", 0, "nubex-import (Mundor) 0.9.0.10", ""},
        {"", 4, "", "nubex-import: falta el argumento CATÁLOGO\nVea nubex-import --help."},
        {"a.db b.db", 4, "", "sobra el argumento b.db"},
        {"--nada a.db", 4, "", "opción desconocida: --nada"},
        {"a.db --dataset", 4, "", "a --dataset le falta su valor"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        ScratchDir dir;
        const RunResult run = RunImport(dir, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        for (const char* english : {"Usage", "OPTIONS", "REQUIRED", "required", "Run with"}) {
            EXPECT_EQ((run.out + run.err).find(english), std::string::npos) << english;
        }
    }
}

// A catalog on a PostgreSQL server, named the way its users name it, with no password shown.
TEST(PostgresImportCommandTest, FillsACatalogOnAServer) {
    const mundor::test::ScratchCatalog server(mundor::test::Backend::Postgres);
    ScratchDir dir;
    import_test::WriteGzip(dir / "w.tsv.gz", import_test::SmallWorld(2, 2, 2).Text());

    const RunResult run = RunImport(
        dir, "-d " + Quoted(dir / "w.tsv.gz") + " \"" + server.location() + " password=x\"");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Catálogo PostgreSQL "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("password"), std::string::npos) << run.out;
    EXPECT_EQ(CatalogFile(server.location()).Count("Ciudad"), 8);
}

// --overwrite undoes users' work: a script confirms it with --yes.
TEST(ImportCommandTest, OverwriteWithYesRunsWithoutATerminal) {
    ScratchDir dir;
    import_test::WriteGzip(dir / "w.tsv.gz", import_test::SmallWorld(1, 1, 1).Text());
    const RunResult done = RunImport(dir, "--overwrite --yes -d w.tsv.gz c.db");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("3 nuevas"), std::string::npos) << done.out;
}

}  // namespace
