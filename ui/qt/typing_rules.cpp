#include "ui/qt/typing_rules.h"

#include <algorithm>

namespace mundor::ui::qt {

namespace {

qsizetype CommonPrefix(const QString& a, const QString& b) {
    const qsizetype limit = std::min(a.size(), b.size());
    qsizetype length = 0;
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

qsizetype CommonSuffix(const QString& a, const QString& b) {
    const qsizetype limit = std::min(a.size(), b.size());
    qsizetype length = 0;
    while (length < limit && a[a.size() - 1 - length] == b[b.size() - 1 - length]) ++length;
    return length;
}

// Where the edit put its new text in `after`: [start, end). The text after the cursor is taken
// as untouched when it matches the old text's end, which places a repeated letter correctly.
struct Inserted {
    qsizetype start = 0;
    qsizetype end = 0;
};

Inserted FindInserted(const QString& before, const QString& after, int cursor) {
    qsizetype suffix = std::clamp<qsizetype>(after.size() - cursor, 0, before.size());
    if (before.right(suffix) != after.right(suffix)) suffix = CommonSuffix(before, after);
    const qsizetype prefix =
        std::min({CommonPrefix(before, after), before.size() - suffix, after.size() - suffix});
    return {prefix, after.size() - suffix};
}

QString Cased(const QString& text, LetterCase letterCase) {
    switch (letterCase) {
        case LetterCase::Upper:
            return text.toUpper();
        case LetterCase::Lower:
            return text.toLower();
        case LetterCase::AsTyped:
            break;
    }
    return text;
}

// The longest start of `text` that fits in `room` UTF-16 units without half a surrogate pair.
QString FittingStart(const QString& text, qsizetype room) {
    if (text.size() <= room) return text;
    qsizetype keep = std::max<qsizetype>(room, 0);
    if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;
    return text.left(keep);
}

}  // namespace

TypingRules TypingRules::Of(const ControlDefinition& definition) {
    TypingRules rules;
    rules.maxLength = std::max<LONG>(definition.SettingAs<LONG>(u"max").value_or(0), 0);
    const LONG letterCase = definition.SettingAs<LONG>(u"ccase").value_or(0);
    if (letterCase == 1) rules.letterCase = LetterCase::Upper;
    if (letterCase == 2) rules.letterCase = LetterCase::Lower;
    return rules;
}

bool ApplyTypingRules(const TypingRules& rules, const QString& before, QString& after,
                      int& cursor) {
    if (after == before) return false;
    const Inserted inserted = FindInserted(before, after, cursor);
    const QString typed = after.mid(inserted.start, inserted.end - inserted.start);
    if (typed.isEmpty()) return false;

    QString kept = Cased(typed, rules.letterCase);
    const qsizetype untouched = after.size() - typed.size();
    if (rules.maxLength > 0 && after.size() > rules.maxLength && after.size() > before.size()) {
        kept = FittingStart(kept, std::max<qsizetype>(rules.maxLength - untouched, 0));
    }
    if (kept == typed) return false;
    after = after.left(inserted.start) + kept + after.mid(inserted.end);
    cursor = static_cast<int>(inserted.start + kept.size());
    return true;
}

}  // namespace mundor::ui::qt
