#include "runtime/text.h"

#include <charconv>

namespace mundor::rt {

std::u16string DecimalText(std::int64_t number) {
    // to_chars ignores the locale and writes ASCII digits only, so they widen one to one.
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
    static_cast<void>(ec);  // 24 characters hold every 64-bit number
    return std::u16string(digits, end);
}

}  // namespace mundor::rt
