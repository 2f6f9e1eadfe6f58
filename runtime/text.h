// Small text helpers every layer reaches: the decimal text of a number, and the case folding by
// which the platform matches names (member names, property names, the words True and False).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include "runtime/export.h"

namespace mundor::rt {

// The number in decimal: a minus sign when negative, no leading zeros, blanks or group marks,
// whatever the process's locale.
MUNDOR_API std::u16string DecimalText(std::int64_t number);

// The letter in lower case, as the platform folds names: ASCII and the Latin-1 capitals
// (À to Þ, without ×). Every other unit stays as it is.
MUNDOR_API char16_t FoldCase(char16_t unit);

// Whether two texts are equal once folded.
MUNDOR_API bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace mundor::rt
