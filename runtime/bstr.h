// BSTR: length-prefixed UTF-16 strings from the runtime's one allocator, shared by every library
// in the process, and `BString`, the RAII owner used everywhere in C++ code.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "runtime/com_types.h"
#include "runtime/export.h"

extern "C" {
MUNDOR_API BSTR SysAllocString(const OLECHAR* text);
MUNDOR_API BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
MUNDOR_API int SysReAllocString(BSTR* target, const OLECHAR* text);
MUNDOR_API void SysFreeString(BSTR text);
MUNDOR_API UINT SysStringLen(BSTR text);
MUNDOR_API UINT SysStringByteLen(BSTR text);
}

namespace mundor::rt {

// UTF-8 <-> UTF-16 for the edges where text meets files, terminals and C APIs. Invalid input
// becomes U+FFFD rather than failing, so a bad byte never loses the rest of a text.
MUNDOR_API std::u16string Utf8ToUtf16(std::string_view utf8);
MUNDOR_API std::string Utf16ToUtf8(std::u16string_view utf16);

// Owns one BSTR. A null BSTR is the empty string, as the platform treats it.
class MUNDOR_API BString {
  public:
    BString() = default;
    explicit BString(std::u16string_view text);
    explicit BString(const char16_t* text) : BString(std::u16string_view(text ? text : u"")) {}
    static BString FromUtf8(std::string_view utf8) { return BString(Utf8ToUtf16(utf8)); }
    static BString Attach(BSTR raw) {
        BString s;
        s.value_ = raw;
        return s;
    }

    BString(const BString& other) : BString(other.view()) {}
    BString(BString&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    BString& operator=(BString other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    ~BString() { SysFreeString(value_); }

    BSTR get() const { return value_; }
    BSTR* put() {
        reset();
        return &value_;
    }
    // The string itself, for in-out parameters that may replace it.
    BSTR* slot() { return &value_; }
    BSTR Detach() { return std::exchange(value_, nullptr); }
    BSTR Copy() const { return value_ ? SysAllocStringLen(value_, length()) : nullptr; }
    void reset() {
        SysFreeString(value_);
        value_ = nullptr;
    }

    UINT length() const { return SysStringLen(value_); }
    bool empty() const { return length() == 0; }
    std::u16string_view view() const { return {value_ ? value_ : u"", length()}; }
    std::u16string str() const { return std::u16string(view()); }
    std::string utf8() const { return Utf16ToUtf8(view()); }

    friend bool operator==(const BString& a, const BString& b) { return a.view() == b.view(); }

  private:
    BSTR value_ = nullptr;
};

}  // namespace mundor::rt
