#include "runtime/bstr.h"

#include <cstdlib>
#include <cstring>

namespace {

// Layout: a 4-byte byte count, then the characters, then a terminating NUL character. The BSTR
// points at the first character, as on the platform, so callers may read it as a C string.
constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefixBytes);
}

std::size_t LengthOf(const OLECHAR* text) {
    std::size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    const std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
    if (bytes > 0x7FFFFFF0u) return nullptr;
    auto* block = static_cast<char*>(std::malloc(kPrefixBytes + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    const auto byteCount = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &byteCount, kPrefixBytes);
    auto* chars = reinterpret_cast<OLECHAR*>(block + kPrefixBytes);
    if (text) {
        std::memcpy(chars, text, bytes);
    } else {
        std::memset(chars, 0, bytes);
    }
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR* text) {
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(LengthOf(text)));
}

int SysReAllocString(BSTR* target, const OLECHAR* text) {
    if (!target) return 0;
    BSTR fresh = SysAllocString(text);
    if (text && !fresh) return 0;
    SysFreeString(*target);
    *target = fresh;
    return 1;
}

void SysFreeString(BSTR text) {
    if (!text) return;
    std::free(PrefixOf(text));
}

UINT SysStringByteLen(BSTR text) {
    return text ? *PrefixOf(text) : 0;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}
}

namespace mundor::rt {

BString::BString(std::u16string_view text)
    : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

namespace {

// Decodes one UTF-8 sequence at `in[i]`; returns its length, or 0 when it is malformed.
std::size_t DecodeUtf8(std::string_view in, std::size_t i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(in[i]);
    std::size_t extra = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead >> 5) == 0x6) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead >> 4) == 0xE) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead >> 3) == 0x1E) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + extra >= in.size()) return 0;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(in[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        char32_t cp = 0;
        const std::size_t used = DecodeUtf8(in, i, cp);
        if (used == 0) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += used;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        const bool high = cp >= 0xD800 && cp <= 0xDBFF;
        const bool low = cp >= 0xDC00 && cp <= 0xDFFF;
        if (high && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (high || low) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace mundor::rt
