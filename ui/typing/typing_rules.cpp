#include "ui/typing/typing_rules.h"

#include <algorithm>

#include <unicode/ustring.h>

namespace mundor::ui {

namespace {

std::size_t CommonPrefix(std::u16string_view a, std::u16string_view b) {
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t length = 0;
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

std::size_t CommonSuffix(std::u16string_view a, std::u16string_view b) {
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t length = 0;
    while (length < limit && a[a.size() - 1 - length] == b[b.size() - 1 - length]) ++length;
    return length;
}

// Where the edit put its new text in `after`: [start, end). The text after the cursor is taken
// as untouched when it matches the old text's end, which places a repeated letter correctly.
struct Inserted {
    std::size_t start = 0;
    std::size_t end = 0;
};

Inserted FindInserted(std::u16string_view before, std::u16string_view after, std::size_t cursor) {
    std::size_t suffix = std::min(after.size() - std::min(cursor, after.size()), before.size());
    if (before.substr(before.size() - suffix) != after.substr(after.size() - suffix)) {
        suffix = CommonSuffix(before, after);
    }
    const std::size_t prefix =
        std::min({CommonPrefix(before, after), before.size() - suffix, after.size() - suffix});
    return {prefix, after.size() - suffix};
}

// ICU's full case mapping in the root locale: the same mapping as Qt's QString::toUpper, so
// that both toolkits case what is typed alike.
std::u16string Cased(std::u16string_view text, LetterCase letterCase) {
    if (letterCase == LetterCase::AsTyped || text.empty()) return std::u16string(text);
    const auto convert = letterCase == LetterCase::Upper ? u_strToUpper : u_strToLower;
    const auto length = static_cast<int32_t>(text.size());
    // Full mappings at most triple a text's length.
    std::u16string cased(text.size() * 3, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        convert(cased.data(), static_cast<int32_t>(cased.size()), text.data(), length, "", &status);
    if (U_FAILURE(status)) return std::u16string(text);
    cased.resize(static_cast<std::size_t>(written));
    return cased;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The longest start of `text` that fits in `room` UTF-16 units without half a surrogate pair.
std::u16string FittingStart(std::u16string text, std::size_t room) {
    if (text.size() <= room) return text;
    std::size_t keep = room;
    if (keep > 0 && IsHighSurrogate(text[keep - 1])) --keep;
    text.resize(keep);
    return text;
}

}  // namespace

TypingRules TypingRules::Of(const ControlDefinition& definition) {
    TypingRules rules;
    rules.maxLength =
        static_cast<std::size_t>(std::max<LONG>(definition.SettingAs<LONG>(u"max").value_or(0), 0));
    const LONG letterCase = definition.SettingAs<LONG>(u"ccase").value_or(0);
    if (letterCase == 1) rules.letterCase = LetterCase::Upper;
    if (letterCase == 2) rules.letterCase = LetterCase::Lower;
    return rules;
}

bool ApplyTypingRules(const TypingRules& rules, std::u16string_view before, std::u16string& after,
                      std::size_t& cursor) {
    if (after == before) return false;
    const Inserted inserted = FindInserted(before, after, cursor);
    const std::u16string typed = after.substr(inserted.start, inserted.end - inserted.start);
    if (typed.empty()) return false;

    std::u16string kept = Cased(typed, rules.letterCase);
    const std::size_t untouched = after.size() - typed.size();
    const std::size_t grownTo = untouched + kept.size();
    if (rules.maxLength > 0 && grownTo > rules.maxLength && grownTo > before.size()) {
        kept =
            FittingStart(std::move(kept), rules.maxLength - std::min(untouched, rules.maxLength));
    }
    if (kept == typed) return false;
    after = after.substr(0, inserted.start) + kept + after.substr(inserted.end);
    cursor = inserted.start + kept.size();
    return true;
}

std::u16string TypeOver(const TypingRules& rules, std::u16string_view typed) {
    std::u16string text(typed);
    std::size_t cursor = text.size();
    ApplyTypingRules(rules, u"", text, cursor);
    return text;
}

}  // namespace mundor::ui
