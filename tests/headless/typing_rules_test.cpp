// What a user's edit leaves in a text field with a greatest length and a letter case: the rules
// both toolkits apply to every keystroke and paste.
#include <string>

#include <gtest/gtest.h>

#include "ui/typing/typing_rules.h"

namespace mundor::ui::testing {
namespace {

struct Edited {
    std::u16string text;
    std::size_t cursor;
};

Edited Edit(const TypingRules& rules, std::u16string_view before, std::u16string after,
            std::size_t cursor) {
    ApplyTypingRules(rules, before, after, cursor);
    return {after, cursor};
}

const TypingRules kCode{.maxLength = 8, .letterCase = LetterCase::Upper};
const std::u16string kEmoji = u"\U0001F600";

TEST(TypingRulesTest, TypedLettersChangeCaseWhereTheyWereTyped) {
    const Edited typed = Edit(kCode, u"MX", u"MxX", 2);
    EXPECT_EQ(typed.text, u"MXX");
    EXPECT_EQ(typed.cursor, 2u);
    EXPECT_EQ(Edit(kCode, u"", u"ñandú", 5).text, u"ÑANDÚ");
    EXPECT_EQ(Edit({.letterCase = LetterCase::Lower}, u"", u"ÁBC", 3).text, u"ábc");
    // Full case mapping, as Qt's: one letter may become two, and the cursor follows them.
    const Edited sharpS = Edit(kCode, u"STRA", u"STRAß", 5);
    EXPECT_EQ(sharpS.text, u"STRASS");
    EXPECT_EQ(sharpS.cursor, 6u);
}

TEST(TypingRulesTest, OnlyTheInsertedTextChangesCase) {
    // Text set by code in lower case stays so when the user types beside it.
    EXPECT_EQ(Edit(kCode, u"abc", u"abcd", 4).text, u"abcD");
    // A repeated letter typed at the start is the one that is cased.
    const Edited typed = Edit(kCode, u"aa", u"aaa", 1);
    EXPECT_EQ(typed.text, u"Aaa");
    EXPECT_EQ(typed.cursor, 1u);
}

TEST(TypingRulesTest, WhatDoesNotFitTheMaximumIsLeftOut) {
    EXPECT_EQ(Edit(kCode, u"ABCDEFGH", u"ABCDEFGHI", 9).text, u"ABCDEFGH");
    const Edited pasted = Edit(kCode, u"AB", u"ABcdefghijkl", 12);
    EXPECT_EQ(pasted.text, u"ABCDEFGH");
    EXPECT_EQ(pasted.cursor, 8u);
    const Edited inMiddle = Edit(kCode, u"ABCDEFG", u"ABxyzCDEFG", 5);
    EXPECT_EQ(inMiddle.text, u"ABXCDEFG");
    EXPECT_EQ(inMiddle.cursor, 3u);
    // A letter that grows when cased is cut too.
    EXPECT_EQ(Edit(kCode, u"ABCDEFG", u"ABCDEFGß", 8).text, u"ABCDEFGS");
}

TEST(TypingRulesTest, ASurrogatePairIsNeverSplitAtTheMaximum) {
    EXPECT_EQ(Edit(kCode, u"ABCDEFG", u"ABCDEFG" + kEmoji, 9).text, u"ABCDEFG");
    EXPECT_EQ(Edit(kCode, u"ABCDEF", u"ABCDEF" + kEmoji, 8).text, u"ABCDEF" + kEmoji);
}

TEST(TypingRulesTest, TextLongerThanTheMaximumFromCodeIsKeptButDoesNotGrow) {
    const std::u16string longText = u"MUCHO MAS DE OCHO";
    EXPECT_EQ(Edit(kCode, longText, longText + u"X", longText.size() + 1).text, longText);
    // Deleting from it, or replacing a letter, is an ordinary edit.
    EXPECT_EQ(Edit(kCode, longText, longText.substr(0, 10), 10).text, longText.substr(0, 10));
    std::u16string replaced = longText;
    replaced[0] = u'x';
    EXPECT_EQ(Edit(kCode, longText, replaced, 1).text, u"X" + longText.substr(1));
}

TEST(TypingRulesTest, AFieldWithoutRulesTakesEverything) {
    std::u16string after(50000, u'x');
    std::size_t cursor = after.size();
    EXPECT_FALSE(ApplyTypingRules({}, u"", after, cursor));
    EXPECT_EQ(after.size(), 50000u);
}

}  // namespace
}  // namespace mundor::ui::testing
