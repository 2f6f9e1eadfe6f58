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

char16_t FoldCase(char16_t unit) {
    constexpr char16_t kCaseDistance = u'a' - u'A';
    const bool asciiCapital = unit >= u'A' && unit <= u'Z';
    const bool latin1Capital = unit >= 0xC0 && unit <= 0xDE && unit != 0xD7;
    if (asciiCapital || latin1Capital) return static_cast<char16_t>(unit + kCaseDistance);
    return unit;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

}  // namespace mundor::rt
