// Fuzzes the keys of the browser's tree nodes as they are read back: any UTF-16 text as a key,
// and any identifier written behind each level's prefix. Reading a key never fails, a key
// written for a level is read as that level, and an identifier that does not hold its prefix
// comes back exactly.
#include <cstdint>
#include <string>

#include "browser/node_scheme.h"
#include "fuzz_check.h"

namespace {

using mundor::fuzz::Fail;

using mundor::browser::NodeLevel;

void CheckWrittenKey(std::u16string_view prefix, NodeLevel level, const std::u16string& guid) {
    const std::u16string key = mundor::browser::NodeKey(prefix, guid);
    if (mundor::browser::LevelOfKey(key) != level) Fail("a key read as another level");
    const std::u16string read = mundor::browser::IdentifierOfKey(key, prefix);
    if (guid.find(prefix) == std::u16string::npos && read != guid) {
        Fail("an identifier changed on its way through a key");
    }
    if (read.size() > guid.size() || (key.size() - read.size()) % prefix.size() != 0) {
        Fail("an identifier lost something other than whole prefixes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = mundor::fuzz::Utf16Of(data, size);
    for (const std::u16string_view prefix :
         {mundor::browser::kCountryPrefix, mundor::browser::kStatePrefix,
          mundor::browser::kCityPrefix, std::u16string_view()}) {
        const std::u16string read = mundor::browser::IdentifierOfKey(text, prefix);
        if (read.size() > text.size()) Fail("reading a key made it longer");
    }
    mundor::browser::LevelOfKey(text);
    CheckWrittenKey(mundor::browser::kCountryPrefix, NodeLevel::Country, text);
    CheckWrittenKey(mundor::browser::kStatePrefix, NodeLevel::State, text);
    CheckWrittenKey(mundor::browser::kCityPrefix, NodeLevel::City, text);
    return 0;
}
