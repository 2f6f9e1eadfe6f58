// The nubex-import program as a user or a script runs it: exit status, summary, messages.
#include <gtest/gtest.h>

#include <string>

#include "run_program.h"
#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::ScratchDir;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program in the scratch folder with stdout and stderr apart, neither a terminal.
RunResult RunImport(const ScratchDir& dir, const std::string& arguments) {
    const auto err = dir / "stderr.txt";
    const mundor::test::ProgramRun run =
        mundor::test::RunProgram("cd '" + dir.path().string() + "' && '" + NUBEX_IMPORT_PROGRAM +
                                 "' " + arguments + " 2>'" + err.string() + "' </dev/null");
    return {run.status, run.output, mundor::test::ReadFile(err)};
}

struct CommandLineCase {
    const char* arguments;  // in a scratch folder holding w.tsv.gz, w.tsv (plain) and roto.tsv.gz
    int status;             // as the help's "Salida" lists them
    const char* out;
    const char* err;  // empty: nothing at all on stderr
    bool loads;       // c.db is made and holds the dataset's 12 cities
};

// Help, version, the work done with a summary and no progress bar, and every run that cannot do
// its work: the status the help documents, the error in Spanish, and no catalog made.
TEST(ImportCommandTest, EveryRunEndsWithItsDocumentedStatusAndSaysWhyInSpanish) {
    const CommandLineCase cases[] = {
        {"--help", 0, "4 línea de órdenes incorrecta", "", false},
        {"--version", 0, "nubex-import (Mundor) 0.9.0.10", "", false},
        {"", 4, "", "nubex-import: falta el argumento CATÁLOGO\nVea nubex-import --help.", false},
        {"a.db b.db", 4, "", "sobra el argumento b.db", false},
        {"--nada a.db", 4, "", "opción desconocida: --nada", false},
        {"a.db --dataset", 4, "", "a --dataset le falta su valor", false},
        {"--dataset w.tsv c.db", 0, "3 países, 6 estados y 12 ciudades en el archivo (21 nuevas",
         "", true},
        // --overwrite undoes users' work: a script confirms it with --yes.
        {"--overwrite --yes -d w.tsv.gz c.db", 0, "(21 nuevas", "", true},
        {"--overwrite -d w.tsv.gz c.db", 5, "",
         "Error 20056: --overwrite sin terminal necesita también --yes", false},
        {"-d nada.tsv.gz c.db", 2, "", "Error 20050: No se pudo abrir", false},
        {"-d roto.tsv.gz c.db", 2, "", "Error 20051: ", false},
        {"-d w.tsv.gz falta/c.db", 3, "", "Error 20053", false},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        ScratchDir dir;
        const import_test::WorldText world = import_test::SmallWorld(3, 2, 2);
        import_test::WriteGzip(dir / "w.tsv.gz", world.Text());
        import_test::WritePlain(dir / "w.tsv", world.Text());
        import_test::WriteGzip(dir / "roto.tsv.gz", world.TextWithCounts(3, 6, 13));

        const RunResult run = RunImport(dir, c.arguments);

        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(run.err.empty(), *c.err == '\0') << run.err;
        EXPECT_EQ(run.out.find('\r'), std::string::npos);
        for (const char* english : {"Usage", "OPTIONS", "REQUIRED", "required", "Run with"}) {
            EXPECT_EQ((run.out + run.err).find(english), std::string::npos) << english;
        }
        EXPECT_EQ(std::filesystem::exists(dir / "c.db"), c.loads);
        if (c.loads) {
            EXPECT_EQ(CatalogFile((dir / "c.db").string()).Count("Ciudad"), 12);
        }
        EXPECT_FALSE(std::filesystem::exists(dir / "falta"));
    }
}

// A catalog on a PostgreSQL server, named the way its users name it, with no password shown.
TEST(PostgresImportCommandTest, FillsACatalogOnAServer) {
    const mundor::test::ScratchCatalog server(mundor::test::Backend::Postgres);
    ScratchDir dir;
    import_test::WriteGzip(dir / "w.tsv.gz", import_test::SmallWorld(2, 2, 2).Text());

    const RunResult run = RunImport(dir, "-d w.tsv.gz \"" + server.location() + " password=x\"");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Catálogo PostgreSQL "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("password"), std::string::npos) << run.out;
    EXPECT_EQ(CatalogFile(server.location()).Count("Ciudad"), 8);
}

}  // namespace
