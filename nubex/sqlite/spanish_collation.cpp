#include "nubex/sqlite/spanish_collation.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstddef>

// Compiled into the library, it calls SQLite directly; compiled into the loadable module
// (collation_module.cpp), through the routines its host hands the module.
#ifdef NUBEX_COLLATION_MODULE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

namespace nubex::sqlite {

namespace {

// UTF-16 code units rearranged so that comparing them compares code points: surrogates (which
// make up the code points above U+FFFF) sort after U+E000..U+FFFF.
char16_t InCodePointOrder(char16_t unit) {
    if (unit >= 0xE000) return static_cast<char16_t>(unit - 0x800);
    if (unit >= 0xD800) return static_cast<char16_t>(unit + 0x2000);
    return unit;
}

int CompareCodePoints(const char16_t* a, std::size_t aSize, const char16_t* b, std::size_t bSize) {
    const std::size_t common = std::min(aSize, bSize);
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = InCodePointOrder(a[i]);
        const char16_t y = InCodePointOrder(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return aSize == bSize ? 0 : (aSize < bSize ? -1 : 1);
}

int Compare(void* collator, int aBytes, const void* aData, int bBytes, const void* bData) {
    const auto* a = static_cast<const char16_t*>(aData);
    const auto* b = static_cast<const char16_t*>(bData);
    const auto aSize = static_cast<std::size_t>(aBytes) / sizeof(char16_t);
    const auto bSize = static_cast<std::size_t>(bBytes) / sizeof(char16_t);
    if (collator) {
        switch (ucol_strcoll(static_cast<UCollator*>(collator), a, static_cast<int32_t>(aSize), b,
                             static_cast<int32_t>(bSize))) {
            case UCOL_LESS:
                return -1;
            case UCOL_GREATER:
                return 1;
            default:
                break;
        }
    }
    return CompareCodePoints(a, aSize, b, bSize);
}

void CloseCollator(void* collator) {
    if (collator) ucol_close(static_cast<UCollator*>(collator));
}

}  // namespace

int RegisterSpanishCollation(sqlite3* connection) {
    // Without ICU's collation data the names still come in a fixed order: by code point.
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("es", &status);
    if (U_FAILURE(status)) collator = nullptr;
    // Aligned: a sort compares records where they lie in a page, and UTF-16 there may start at
    // an odd address, which char16_t (and ICU) must not be read from.
    const int rc = sqlite3_create_collation_v2(connection, "nubex_es", SQLITE_UTF16_ALIGNED,
                                               collator, &Compare, &CloseCollator);
    // SQLite calls CloseCollator only for a collation it has taken.
    if (rc != SQLITE_OK) CloseCollator(collator);
    return rc;
}

}  // namespace nubex::sqlite
