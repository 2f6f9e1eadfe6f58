// A dataset file that is missing, cut short, damaged or of another format version is refused
// with its own error number and a text naming the file and the fault, and the catalog it was
// meant for stays exactly as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "nubex/import/import_error.h"
#include "nubex/import/world_loader.h"
#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::ScratchDir;
using import_test::SmallWorld;
using import_test::WorldText;
using nubex::import::ImportErrc;
using nubex::import::ImportError;

// New rows (ids apart from the catalog's own) so that any partial import would show.
WorldText NewRows() {
    return SmallWorld(4, 3, 50, 1000);
}

std::string GzipBytes(const ScratchDir& dir, const std::string& text) {
    const auto path = dir / "packed.gz";
    import_test::WriteGzip(path, text);
    return mundor::test::ReadFile(path);
}

struct BadFile {
    const char* name;
    ImportErrc expected;
    const char* inMessage;  // a fragment the error text must carry
    std::function<void(const ScratchDir&, const std::filesystem::path&)> write;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name;
}

const BadFile kBadFiles[] = {
    {"missing", ImportErrc::kDatasetUnreadable, "No se pudo abrir",
     [](const ScratchDir&, const std::filesystem::path&) {}},
    {"folder", ImportErrc::kDatasetUnreadable, "No se pudo leer",
     [](const ScratchDir&, const std::filesystem::path& path) {
         std::filesystem::create_directory(path);
     }},
    {"gzip_cut_in_half", ImportErrc::kDatasetCorrupt, "dañado o incompleto",
     [](const ScratchDir& dir, const std::filesystem::path& path) {
         const std::string bytes = GzipBytes(dir, NewRows().Text());
         import_test::WritePlain(path, bytes.substr(0, bytes.size() / 2));
     }},
    {"gzip_with_flipped_bytes", ImportErrc::kDatasetCorrupt, "dañado o incompleto",
     [](const ScratchDir& dir, const std::filesystem::path& path) {
         std::string bytes = GzipBytes(dir, NewRows().Text());
         for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 16; ++i) bytes[i] ^= 0x5A;
         import_test::WritePlain(path, bytes);
     }},
    {"rows_missing_at_the_end", ImportErrc::kDatasetCorrupt, "incompleto",
     [](const ScratchDir&, const std::filesystem::path& path) {
         const WorldText world = NewRows();
         import_test::WriteGzip(
             path, world.TextWithCounts(world.countries(), world.states(), world.cities() + 1));
     }},
    {"empty", ImportErrc::kDatasetCorrupt, "vacío",
     [](const ScratchDir&, const std::filesystem::path& path) {
         import_test::WriteGzip(path, "");
     }},
    {"not_a_world_file", ImportErrc::kDatasetCorrupt, "no es un archivo de datos del mundo",
     [](const ScratchDir&, const std::filesystem::path& path) {
         import_test::WritePlain(path, std::string("\x7f"
                                                   "ELF\x02\x01\x01",
                                                   7) +
                                           "garbage");
     }},
    {"newer_format", ImportErrc::kDatasetVersion, "versión de formato 2",
     [](const ScratchDir&, const std::filesystem::path& path) {
         std::string text = NewRows().Text();
         text.replace(0, text.find('\n'), "mundor-world\t2");
         import_test::WriteGzip(path, text);
     }},
    {"city_before_any_state", ImportErrc::kDatasetCorrupt, "línea 6: ciudad sin estado",
     [](const ScratchDir&, const std::filesystem::path& path) {
         WorldText world;
         world.Country(1, "AA", "1", "A").City(1, "1", "Huérfana").State(1, "S", "S");
         import_test::WriteGzip(path, world.Text());
     }},
    {"state_row_short_of_a_field", ImportErrc::kDatasetCorrupt, "línea 6",
     [](const ScratchDir&, const std::filesystem::path& path) {
         WorldText world;
         world.Country(1, "AA", "1", "A").Line("E\t2\tSinNombre");
         import_test::WriteGzip(path, world.TextWithCounts(1, 1, 0));
     }},
    {"repeated_city_id", ImportErrc::kDatasetCorrupt, "se repite",
     [](const ScratchDir&, const std::filesystem::path& path) {
         WorldText world;
         world.Country(1, "AA", "1", "A").State(1, "S", "S").City(9, "1", "X").City(9, "2", "Y");
         import_test::WriteGzip(path, world.Text());
     }},
    {"code_longer_than_eight", ImportErrc::kDatasetCorrupt, "código demasiado largo",
     [](const ScratchDir&, const std::filesystem::path& path) {
         WorldText world;
         world.Country(1, "AA", "1", "A").State(1, "ABCDEFGHI", "S");
         import_test::WriteGzip(path, world.Text());
     }},
    {"id_not_a_number", ImportErrc::kDatasetCorrupt, "identificador no válido",
     [](const ScratchDir&, const std::filesystem::path& path) {
         WorldText world;
         world.Country(1, "AA", "1", "A").Line("E\t-3\tS\tS");
         import_test::WriteGzip(path, world.TextWithCounts(1, 1, 0));
     }},
};

class BadDatasetTest : public ::testing::TestWithParam<BadFile> {
  protected:
    void SetUp() override {
        import_test::WriteGzip(goodDataset, SmallWorld(2, 2, 3).Text());
        nubex::import::LoadWorldIntoCatalog(goodDataset, catalog);
    }

    ScratchDir dir;
    std::filesystem::path goodDataset = dir / "good.tsv.gz";
    std::filesystem::path badDataset = dir / "bad.tsv.gz";
    mundor::test::ScratchCatalog scratch;
    std::string catalog = scratch.location();
};

TEST_P(BadDatasetTest, IsRefusedAndTheCatalogStaysAsItWas) {
    const BadFile& bad = GetParam();
    bad.write(dir, badDataset);
    const std::u16string before = CatalogFile(catalog).Snapshot();

    try {
        nubex::import::LoadWorldIntoCatalog(badDataset, catalog);
        ADD_FAILURE() << "the bad file was imported";
    } catch (const ImportError& error) {
        EXPECT_EQ(error.code(), bad.expected) << error.what();
        const std::string message = error.what();
        EXPECT_NE(message.find(badDataset.string()), std::string::npos) << message;
        EXPECT_NE(message.find(bad.inMessage), std::string::npos) << message;
    }

    EXPECT_EQ(CatalogFile(catalog).Snapshot(), before);
}

TEST_P(BadDatasetTest, CreatesNoCatalogWhereThereWasNone) {
    GetParam().write(dir, badDataset);
    const std::filesystem::path fresh = dir / "nuevo.db";

    EXPECT_THROW(nubex::import::LoadWorldIntoCatalog(badDataset, fresh.string()), ImportError);

    EXPECT_FALSE(std::filesystem::exists(fresh));
}

INSTANTIATE_TEST_SUITE_P(Files, BadDatasetTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(PlainDatasetTest, UncompressedFileWithTheSameContentImports) {
    ScratchDir dir;
    const WorldText world = SmallWorld(2, 2, 2);
    import_test::WritePlain(dir / "world.tsv", world.Text());

    const auto summary =
        nubex::import::LoadWorldIntoCatalog(dir / "world.tsv", (dir / "c.db").string());

    EXPECT_EQ(summary.added, world.countries() + world.states() + world.cities());
}

}  // namespace
