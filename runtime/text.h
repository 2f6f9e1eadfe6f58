// Small text helpers every layer reaches: the decimal text of a number, and the case folding by
// which the platform matches names (member names, property names, the words True and False).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include "runtime/export.h"

namespace mundor::rt {

// The number in decimal: a minus sign when negative, no leading zeros, blanks or group marks,
// whatever the process's locale.
MUNDOR_API std::u16string DecimalText(std::int64_t number);

namespace detail {
// Every Latin-1 unit folded: ASCII and the Latin-1 capitals (À to Þ, without ×) to their small
// letters, every other unit to itself.
constexpr std::array<char16_t, 256> Latin1Folds() {
    std::array<char16_t, 256> folds{};
    for (std::size_t unit = 0; unit < folds.size(); ++unit) {
        const bool capital =
            (unit >= u'A' && unit <= u'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7);
        folds[unit] = static_cast<char16_t>(capital ? unit + (u'a' - u'A') : unit);
    }
    return folds;
}
inline constexpr std::array<char16_t, 256> kLatin1Folds = Latin1Folds();
}  // namespace detail

// The letter in lower case, as the platform folds names: ASCII and the Latin-1 capitals
// (À to Þ, without ×). Every other unit stays as it is. Inline, by table: names are matched
// unit by unit on every call by name.
constexpr char16_t FoldCase(char16_t unit) {
    return unit < detail::kLatin1Folds.size() ? detail::kLatin1Folds[unit] : unit;
}

// Whether two texts are equal once folded.
constexpr bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

}  // namespace mundor::rt
