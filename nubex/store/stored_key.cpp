#include "nubex/store/stored_key.h"

#include <string>

#include "nubex/errors.h"
#include "runtime/error.h"

namespace nubex::store {

namespace {

constexpr std::int64_t kLargestKey = 2147483647;

LONG Checked(std::int64_t value, std::int64_t smallest) {
    if (value < smallest || value > kLargestKey) {
        mundor::rt::Raise(err::kDamagedCatalog.number, std::u16string(err::kDamagedCatalog.text));
    }
    return static_cast<LONG>(value);
}

}  // namespace

LONG StoredKey(std::int64_t value) {
    return Checked(value, 1);
}

LONG StoredParentKey(std::int64_t value) {
    return Checked(value, 0);
}

}  // namespace nubex::store
