// Dataset files made to hurt the importer (counts no world has, a stream of zeros, endless lines,
// more rows than announced) end, as the user runs nubex-import, in the documented dataset error
// (20051, exit status 2) at once, and no catalog is made.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "test_world.h"

namespace {

using import_test::ScratchDir;
using import_test::WorldText;

struct HostileFile {
    const char* name;
    const char* inMessage;  // a fragment the error text must carry
    std::function<std::string()> content;
};

void PrintTo(const HostileFile& file, std::ostream* out) {
    *out << file.name;
}

WorldText OneCountry() {
    WorldText world;
    world.Country(1, "AA", "1", "A");
    return world;
}

const HostileFile kHostileFiles[] = {
    {"counts_beyond_any_world", "línea 4: el encabezado \"counts\" anuncia más de",
     [] { return OneCountry().TextWithCounts(1, 0, 9'000'000'000'000'000'000); }},
    {"counts_whose_sum_overflows", "línea 4: el encabezado \"counts\" anuncia más de",
     [] {
         return OneCountry().TextWithCounts(4'611'686'018'427'387'904, 4'611'686'018'427'387'904,
                                            1);
     }},
    {"zeros", "línea 1: la línea pasa de 4096 bytes", [] { return std::string(16 << 20, '\0'); }},
    {"endless_name", "línea 5: la línea pasa de 4096 bytes",
     [] {
         WorldText world;
         world.Country(1, "AA", "1", std::string(5000, 'a'));
         return world.Text();
     }},
    {"more_rows_than_announced", "línea 6: trae más filas que las que anuncia el encabezado",
     [] {
         WorldText world = OneCountry();
         world.Country(2, "BB", "2", "B").Country(3, "CC", "3", "C");
         return world.TextWithCounts(1, 0, 0);
     }},
};

class HostileDatasetTest : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileDatasetTest, EndsInTheDatasetErrorAndMakesNoCatalog) {
    ScratchDir dir;
    import_test::WriteGzip(dir / "w.tsv.gz", GetParam().content());
    const std::string command = std::string("'") + NUBEX_IMPORT_PROGRAM + "' -d '" +
                                (dir / "w.tsv.gz").string() + "' '" + (dir / "c.db").string() +
                                "' 2>'" + (dir / "err.txt").string() + "' </dev/null";
    const int raw = std::system(command.c_str());
    const std::string err = mundor::test::ReadFile(dir / "err.txt");

    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2) << err;
    EXPECT_EQ(err.rfind("Error 20051: ", 0), 0u) << err;
    EXPECT_NE(err.find(GetParam().inMessage), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir / "c.db"));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileDatasetTest, ::testing::ValuesIn(kHostileFiles),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
