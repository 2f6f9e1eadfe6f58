// A dataset file that is missing, cut short, damaged, of another format version or made to hurt
// the importer (counts no world has, a stream of zeros, endless lines, more rows than announced)
// is refused at once with its own error number and a text naming the file and the fault, and the
// catalog it was meant for stays exactly as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "nubex/import/import_error.h"
#include "nubex/import/world_loader.h"
#include "test_world.h"

namespace {

using import_test::SmallWorld;
using import_test::WorldText;
using nubex::import::ImportErrc;
using nubex::import::ImportError;
using Writer = std::function<void(const std::filesystem::path&)>;

// New rows (ids apart from the catalog's own) so that any partial import would show.
WorldText NewRows() {
    return SmallWorld(4, 3, 50, 1000);
}

WorldText OneCountry() {
    WorldText world;
    world.Country(1, "AA", "1", "A");
    return world;
}

Writer Gzipped(std::function<std::string()> text) {
    return [text](const std::filesystem::path& path) { import_test::WriteGzip(path, text()); };
}

// The new rows gzipped, and then their bytes changed.
Writer Damaged(std::function<void(std::string&)> damage) {
    return [damage](const std::filesystem::path& path) {
        import_test::WriteGzip(path, NewRows().Text());
        std::string bytes = mundor::test::ReadFile(path);
        damage(bytes);
        import_test::WritePlain(path, bytes);
    };
}

struct BadFile {
    const char* name;
    ImportErrc expected;
    const char* inMessage;  // a fragment the error text must carry
    Writer write;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name;
}

constexpr auto kCorrupt = ImportErrc::kDatasetCorrupt;
constexpr const char* kTooLong = "la línea pasa de 4096 bytes";

const BadFile kBadFiles[] = {
    {"missing", ImportErrc::kDatasetUnreadable, "No se pudo abrir", [](const auto&) {}},
    {"folder", ImportErrc::kDatasetUnreadable, "No se pudo leer",
     [](const auto& path) { std::filesystem::create_directory(path); }},
    {"gzip_cut_in_half", kCorrupt, "dañado o incompleto",
     Damaged([](std::string& bytes) { bytes.resize(bytes.size() / 2); })},
    {"gzip_with_flipped_bytes", kCorrupt, "dañado o incompleto", Damaged([](std::string& bytes) {
         for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 16; ++i) bytes[i] ^= 0x5A;
     })},
    {"not_a_world_file", kCorrupt, "no es un archivo de datos del mundo",
     [](const auto& path) {
         import_test::WritePlain(path, std::string("\x7f"
                                                   "ELF\x02\x01\x01garbage",
                                                   14));
     }},
    {"rows_missing_at_the_end", kCorrupt, "incompleto", Gzipped([] {
         const WorldText world = NewRows();
         return world.TextWithCounts(world.countries(), world.states(), world.cities() + 1);
     })},
    {"empty", kCorrupt, "vacío", Gzipped([] { return std::string(); })},
    {"newer_format", ImportErrc::kDatasetVersion, "versión de formato 2", Gzipped([] {
         std::string text = NewRows().Text();
         return text.replace(0, text.find('\n'), "mundor-world\t2");
     })},
    {"city_before_any_state", kCorrupt, "línea 6: ciudad sin estado",
     Gzipped([] { return OneCountry().City(1, "1", "Huérfana").State(1, "S", "S").Text(); })},
    {"state_row_short_of_a_field", kCorrupt, "línea 6",
     Gzipped([] { return OneCountry().Line("E\t2\tSinNombre").TextWithCounts(1, 1, 0); })},
    {"repeated_city_id", kCorrupt, "se repite", Gzipped([] {
         return OneCountry().State(1, "S", "S").City(9, "1", "X").City(9, "2", "Y").Text();
     })},
    {"code_longer_than_eight", kCorrupt, "código demasiado largo",
     Gzipped([] { return OneCountry().State(1, "ABCDEFGHI", "S").Text(); })},
    {"id_not_a_number", kCorrupt, "identificador no válido",
     Gzipped([] { return OneCountry().Line("E\t-3\tS\tS").TextWithCounts(1, 1, 0); })},
    {"counts_beyond_any_world", kCorrupt, "línea 4: el encabezado \"counts\" anuncia más de",
     Gzipped([] { return OneCountry().TextWithCounts(1, 0, 9'000'000'000'000'000'000); })},
    {"counts_whose_sum_overflows", kCorrupt, "línea 4: el encabezado \"counts\" anuncia más de",
     Gzipped([] {
         return OneCountry().TextWithCounts(4'611'686'018'427'387'904, 4'611'686'018'427'387'904,
                                            1);
     })},
    {"zeros", kCorrupt, kTooLong, Gzipped([] { return std::string(16 << 20, '\0'); })},
    {"endless_name", kCorrupt, kTooLong,
     Gzipped([] { return WorldText().Country(1, "AA", "1", std::string(5000, 'a')).Text(); })},
    {"more_rows_than_announced", kCorrupt,
     "línea 6: trae más filas que las que anuncia el encabezado", Gzipped([] {
         return OneCountry()
             .Country(2, "BB", "2", "B")
             .Country(3, "CC", "3", "C")
             .TextWithCounts(1, 0, 0);
     })},
};

class BadDatasetTest : public import_test::ImportTest,
                       public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadDatasetTest, IsRefusedAndNoCatalogChangesOrIsMade) {
    Import(SmallWorld(2, 2, 3));
    const std::filesystem::path badDataset = dir / "bad.tsv.gz";
    GetParam().write(badDataset);
    const std::u16string before = db().Dump();

    try {
        nubex::import::LoadWorldIntoCatalog(badDataset, catalog);
        ADD_FAILURE() << "the bad file was imported";
    } catch (const ImportError& error) {
        EXPECT_EQ(error.code(), GetParam().expected) << error.what();
        const std::string message = error.what();
        EXPECT_NE(message.find(badDataset.string()), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().inMessage), std::string::npos) << message;
    }
    EXPECT_EQ(db().Dump(), before);

    // Nor is a catalog file made where there was none.
    EXPECT_THROW(nubex::import::LoadWorldIntoCatalog(badDataset, (dir / "nuevo.db").string()),
                 ImportError);
    EXPECT_FALSE(std::filesystem::exists(dir / "nuevo.db"));
}

INSTANTIATE_TEST_SUITE_P(Files, BadDatasetTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
