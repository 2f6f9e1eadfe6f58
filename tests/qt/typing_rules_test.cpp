// What a user's edit leaves in a text field with a greatest length and a letter case.
#include <QString>

#include <gtest/gtest.h>

#include "ui/qt/typing_rules.h"

namespace mundor::ui::qt::testing {
namespace {

struct Edited {
    QString text;
    int cursor;
};

Edited Edit(const TypingRules& rules, const QString& before, QString after, int cursor) {
    ApplyTypingRules(rules, before, after, cursor);
    return {after, cursor};
}

const TypingRules kCode{.maxLength = 8, .letterCase = LetterCase::Upper};

TEST(TypingRulesTest, TypedLettersBecomeUpperCaseWhereTheyWereTyped) {
    const Edited typed = Edit(kCode, "MX", "MxX", 2);
    EXPECT_EQ(typed.text, "MXX");
    EXPECT_EQ(typed.cursor, 2);
    EXPECT_EQ(Edit(kCode, "", "ñandú", 5).text, "ÑANDÚ");
    EXPECT_EQ(Edit({.letterCase = LetterCase::Lower}, "", "ABC", 3).text, "abc");
}

TEST(TypingRulesTest, OnlyTheInsertedTextChangesCase) {
    // Text set by code in lower case stays so when the user types beside it.
    EXPECT_EQ(Edit(kCode, "abc", "abcd", 4).text, "abcD");
    // A repeated letter typed at the start is the one that is cased.
    const Edited typed = Edit(kCode, "aa", "aaa", 1);
    EXPECT_EQ(typed.text, "Aaa");
    EXPECT_EQ(typed.cursor, 1);
}

TEST(TypingRulesTest, WhatDoesNotFitTheMaximumIsLeftOut) {
    EXPECT_EQ(Edit(kCode, "ABCDEFGH", "ABCDEFGHI", 9).text, "ABCDEFGH");
    const Edited pasted = Edit(kCode, "AB", "ABcdefghijkl", 12);
    EXPECT_EQ(pasted.text, "ABCDEFGH");
    EXPECT_EQ(pasted.cursor, 8);
    const Edited inMiddle = Edit(kCode, "ABCDEFG", "ABxyzCDEFG", 5);
    EXPECT_EQ(inMiddle.text, "ABXCDEFG");
    EXPECT_EQ(inMiddle.cursor, 3);
}

TEST(TypingRulesTest, ASurrogatePairIsNeverSplitAtTheMaximum) {
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    EXPECT_EQ(Edit(kCode, "ABCDEFG", "ABCDEFG" + emoji, 9).text, "ABCDEFG");
    EXPECT_EQ(Edit(kCode, "ABCDEF", "ABCDEF" + emoji, 8).text, "ABCDEF" + emoji);
}

TEST(TypingRulesTest, TextLongerThanTheMaximumFromCodeIsKeptButDoesNotGrow) {
    const QString longText = "MUCHO MAS DE OCHO";
    EXPECT_EQ(Edit(kCode, longText, longText + "X", longText.size() + 1).text, longText);
    // Deleting from it, or replacing a letter, is an ordinary edit.
    EXPECT_EQ(Edit(kCode, longText, longText.left(10), 10).text, longText.left(10));
    QString replaced = longText;
    replaced[0] = u'x';
    EXPECT_EQ(Edit(kCode, longText, replaced, 1).text, "X" + longText.mid(1));
}

TEST(TypingRulesTest, AFieldWithoutRulesTakesEverything) {
    QString after = QString("x").repeated(50000);
    int cursor = 50000;
    EXPECT_FALSE(ApplyTypingRules({}, "", after, cursor));
    EXPECT_EQ(after.size(), 50000);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
