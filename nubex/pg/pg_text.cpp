#include "nubex/pg/pg_text.h"

#include "nubex/backend/database.h"
#include "runtime/bstr.h"

namespace nubex::pg {

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool FitsServerText(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == 0 || IsLowSurrogate(unit)) return false;
        if (!IsHighSurrogate(unit)) continue;
        if (i + 1 >= text.size() || !IsLowSurrogate(text[i + 1])) return false;
        ++i;
    }
    return true;
}

[[noreturn]] void Refuse() {
    throw db::DbError(db::Failure::UnstorableText,
                      "the text holds a NUL or an unpaired UTF-16 surrogate");
}

}  // namespace

std::string ToServerText(std::u16string_view text) {
    if (!FitsServerText(text)) Refuse();
    return mundor::rt::Utf16ToUtf8(text);
}

std::string_view CheckedServerText(std::string_view utf8) {
    if (utf8.find('\0') != std::string_view::npos) Refuse();
    return utf8;
}

std::u16string FromServerText(std::string_view utf8) {
    return mundor::rt::Utf8ToUtf16(utf8);
}

}  // namespace nubex::pg
