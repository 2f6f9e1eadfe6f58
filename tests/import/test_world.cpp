#include "test_world.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <fstream>

namespace import_test {

std::string WorldText::TextWithCounts(std::int64_t countries, std::int64_t states,
                                      std::int64_t cities) const {
    std::string text = "mundor-world\t1\nsource\ttest\t0\tODbL-1.0\nguid-namespace\t";
    text += kNamespace;
    text += "\ncounts\t" + std::to_string(countries) + "\t" + std::to_string(states) + "\t" +
            std::to_string(cities) + "\n";
    return text + body_;
}

WorldText SmallWorld(int countries, int statesPerCountry, int citiesPerState, int idOffset) {
    WorldText world;
    int stateId = idOffset;
    int cityId = idOffset;
    for (int c = 1; c <= countries; ++c) {
        const std::string tag = std::to_string(c + idOffset);
        world.Country(c + idOffset, "P" + tag, "5" + tag, "País Ñandú " + tag);
        for (int s = 1; s <= statesPerCountry; ++s) {
            ++stateId;
            world.State(stateId, "E" + std::to_string(s), "Estado " + std::to_string(stateId));
            for (int k = 1; k <= citiesPerState; ++k) {
                ++cityId;
                world.City(cityId, std::to_string(cityId), "Ciudad José " + std::to_string(cityId));
            }
        }
    }
    return world;
}

void WriteGzip(const std::filesystem::path& path, const std::string& content) {
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gzwrite(file, content.data(), static_cast<unsigned>(content.size())),
              static_cast<int>(content.size()));
    ASSERT_EQ(gzclose(file), Z_OK);
}

void WritePlain(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace import_test
