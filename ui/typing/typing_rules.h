// What a user's typing may leave in a titled text field: its greatest length (`max`) and its
// letter case (`ccase`) shape what the user types or pastes, never text set by code. One set of
// rules for every toolkit, so the headless scripted user types exactly what a person would on
// Qt's widgets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "contracts/ui/form_definition.h"

namespace mundor::ui {

// `ccase`: 0 keeps what is typed, 1 makes it upper case, 2 lower case.
enum class LetterCase : LONG { AsTyped = 0, Upper = 1, Lower = 2 };

struct TypingRules {
    std::size_t maxLength = 0;  // 0: no limit
    LetterCase letterCase = LetterCase::AsTyped;

    // The rules a text field's definition stores; a setting of the wrong type raises the
    // platform's type-mismatch error.
    static TypingRules Of(const ControlDefinition& definition);
};

// Applies the rules to one edit that turned `before` into `after`, with the cursor at `cursor`
// right after what was inserted. The inserted text is cased (full Unicode case mapping, so "ß"
// becomes "SS") and cut to the room that is left, never splitting a surrogate pair, as a
// length-limited edit box refuses what does not fit. Text that was already longer (set by code)
// is left as it is. Returns whether anything changed; `after` and `cursor` then hold the result.
bool ApplyTypingRules(const TypingRules& rules, std::u16string_view before, std::u16string& after,
                      std::size_t& cursor);

// What typing `typed` over the whole of a field's text leaves in it.
std::u16string TypeOver(const TypingRules& rules, std::u16string_view typed);

}  // namespace mundor::ui
