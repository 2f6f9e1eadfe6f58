// What a user's edit of a text field may leave in it: the field's greatest length (`max`) and its
// letter case (`ccase`) apply to what the user types or pastes, never to text set by code.
#pragma once

#include <QString>

#include "contracts/ui/form_definition.h"

namespace mundor::ui::qt {

// `ccase`: 0 keeps what is typed, 1 makes it upper case, 2 lower case.
enum class LetterCase : LONG { AsTyped = 0, Upper = 1, Lower = 2 };

struct TypingRules {
    int maxLength = 0;  // 0: no limit
    LetterCase letterCase = LetterCase::AsTyped;

    // The rules a text field's definition stores.
    static TypingRules Of(const ControlDefinition& definition);
};

// Applies the rules to one edit that turned `before` into `after`, with the cursor at `cursor`
// right after what was inserted. The inserted text is cased and cut to the room that is left,
// never splitting a surrogate pair, as a length-limited edit box refuses what does not fit.
// Text that was already longer (set by code) is left as it is. Returns whether anything changed;
// `after` and `cursor` then hold the result.
bool ApplyTypingRules(const TypingRules& rules, const QString& before, QString& after, int& cursor);

}  // namespace mundor::ui::qt
