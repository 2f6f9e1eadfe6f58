// What a user's edit leaves in a text field with a greatest length and a letter case: the rules
// both toolkits apply to every keystroke and paste.
#include <string>

#include <gtest/gtest.h>

#include "ui/typing/typing_rules.h"

namespace mundor::ui::testing {
namespace {

const TypingRules kCode{.maxLength = 8, .letterCase = LetterCase::Upper};
const std::u16string kEmoji = u"\U0001F600";
const std::u16string kLong = u"MUCHO MAS DE OCHO";

// The field's text before the edit, after it as the edit box has it (the cursor after what was
// typed), and what the rules leave.
struct Edit {
    const char* why;
    TypingRules rules;
    std::u16string before;
    std::u16string after;
    std::size_t cursor;
    std::u16string left;
    std::size_t cursorLeft;
};

const Edit kEdits[] = {
    {"typed letters change case where typed", kCode, u"MX", u"MxX", 2, u"MXX", 2},
    {"beyond ASCII", kCode, u"", u"ñandú", 5, u"ÑANDÚ", 5},
    {"lower case", {.letterCase = LetterCase::Lower}, u"", u"ÁBC", 3, u"ábc", 3},
    // Full case mapping, as Qt's: one letter may become two, and the cursor follows them.
    {"one letter becomes two", kCode, u"STRA", u"STRAß", 5, u"STRASS", 6},
    // Text set by code in lower case stays so when the user types beside it.
    {"only the inserted text", kCode, u"abc", u"abcd", 4, u"abcD", 4},
    {"a repeated letter typed first", kCode, u"aa", u"aaa", 1, u"Aaa", 1},
    {"a key past the maximum", kCode, u"ABCDEFGH", u"ABCDEFGHI", 9, u"ABCDEFGH", 8},
    {"a paste cut to the room left", kCode, u"AB", u"ABcdefghijkl", 12, u"ABCDEFGH", 8},
    {"a paste in the middle", kCode, u"ABCDEFG", u"ABxyzCDEFG", 5, u"ABXCDEFG", 3},
    {"a letter that grows when cased", kCode, u"ABCDEFG", u"ABCDEFGß", 8, u"ABCDEFGS", 8},
    {"half a pair does not fit", kCode, u"ABCDEFG", u"ABCDEFG" + kEmoji, 9, u"ABCDEFG", 7},
    {"a whole pair fits", kCode, u"ABCDEF", u"ABCDEF" + kEmoji, 8, u"ABCDEF" + kEmoji, 8},
    // Text longer than the maximum, set by code, is kept but does not grow; deleting from it, or
    // replacing a letter, is an ordinary edit.
    {"a long text does not grow", kCode, kLong, kLong + u"X", 18, kLong, 17},
    {"a long text shrinks", kCode, kLong, kLong.substr(0, 10), 10, kLong.substr(0, 10), 10},
    {"a letter replaced in it", kCode, kLong, u"x" + kLong.substr(1), 1, u"X" + kLong.substr(1), 1},
};

TEST(TypingRulesTest, AnEditLeavesWhatTheRulesAllow) {
    for (const Edit& edit : kEdits) {
        SCOPED_TRACE(edit.why);
        std::u16string text = edit.after;
        std::size_t cursor = edit.cursor;
        ApplyTypingRules(edit.rules, edit.before, text, cursor);
        EXPECT_EQ(text, edit.left);
        EXPECT_EQ(cursor, edit.cursorLeft);
    }
}

TEST(TypingRulesTest, AFieldWithoutRulesTakesEverything) {
    std::u16string after(50000, u'x');
    std::size_t cursor = after.size();
    EXPECT_FALSE(ApplyTypingRules({}, u"", after, cursor));
    EXPECT_EQ(after.size(), 50000u);
}

}  // namespace
}  // namespace mundor::ui::testing
