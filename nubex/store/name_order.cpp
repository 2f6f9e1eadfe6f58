#include "nubex/store/name_order.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <memory>

namespace nubex::store {

namespace {

struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// Spanish collation rules; the root rules when the locale data is missing. Nothing when ICU
// has no collator at all, and the names then compare by code unit.
Collator OpenSpanishCollator() {
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open("es", &status));
    if (U_FAILURE(status)) return nullptr;
    return collator;
}

int CompareNames(const UCollator* collator, const std::u16string& a, const std::u16string& b) {
    if (!collator) return a.compare(b);
    switch (ucol_strcoll(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                         static_cast<int32_t>(b.size()))) {
        case UCOL_LESS:
            return -1;
        case UCOL_GREATER:
            return 1;
        default:
            return a.compare(b);
    }
}

}  // namespace

void SortByName(std::vector<Row>& rows) {
    const Collator collator = OpenSpanishCollator();
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        const int byName = CompareNames(collator.get(), a.nombre, b.nombre);
        return byName != 0 ? byName < 0 : a.pk < b.pk;
    });
}

}  // namespace nubex::store
