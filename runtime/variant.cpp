#include "runtime/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/error.h"
#include "runtime/text.h"

namespace {

using mundor::rt::BString;

bool IsKnownBaseType(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R8:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_UNKNOWN:
            return true;
        default:
            return false;
    }
}

bool IsKnownType(VARTYPE vt) {
    if ((vt & VT_BYREF) == 0) return IsKnownBaseType(vt);
    // Only VT_BYREF is stripped: a reference that also carries VT_ARRAY (or any other flag)
    // points at something else entirely and must not be read as the plain type.
    const auto base = static_cast<VARTYPE>(vt & ~VT_BYREF);
    return base == VT_VARIANT || (base != VT_EMPTY && base != VT_NULL && IsKnownBaseType(base));
}

// Reads the value a by-reference VARIANT points at into an owned copy.
HRESULT Dereference(const VARIANT& src, VARIANT& out) {
    VariantInit(&out);
    if (!IsKnownType(src.vt)) return DISP_E_BADVARTYPE;
    if ((src.vt & VT_BYREF) == 0) return VariantCopy(&out, &src);
    if (!src.byref) return E_POINTER;
    switch (src.vt & VT_TYPEMASK) {
        case VT_VARIANT:
            // A Variant reference may not lead to another one (COM forbids it, and a reference
            // to itself would never end).
            if (src.pvarVal->vt == (VT_BYREF | VT_VARIANT)) return E_INVALIDARG;
            return Dereference(*src.pvarVal, out);
        case VT_I2:
            out.iVal = *src.piVal;
            break;
        case VT_I4:
            out.lVal = *src.plVal;
            break;
        case VT_R8:
            out.dblVal = *src.pdblVal;
            break;
        case VT_BOOL:
            out.boolVal = *src.pboolVal;
            break;
        case VT_ERROR:
            out.scode = *src.pscode;
            break;
        case VT_BSTR: {
            BSTR s = *src.pbstrVal;
            out.bstrVal = s ? SysAllocStringLen(s, SysStringLen(s)) : nullptr;
            if (s && !out.bstrVal) return E_OUTOFMEMORY;
            break;
        }
        case VT_DISPATCH:
        case VT_UNKNOWN:
            out.punkVal = *src.ppunkVal;
            if (out.punkVal) out.punkVal->AddRef();
            break;
        default:
            return DISP_E_BADVARTYPE;
    }
    out.vt = src.vt & VT_TYPEMASK;
    return S_OK;
}

std::u16string Trim(std::u16string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == u' ' || s[b] == u'\t')) ++b;
    while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) --e;
    return std::u16string(s.substr(b, e - b));
}

// A well-formed number a Double cannot hold: too large overflows, too small reads as zero.
HRESULT OutOfRange(const char* first, const char* last, double& out) {
    long double wide = 0;
    const auto [end, ec] = std::from_chars(first, last, wide);
    if (ec == std::errc() && end == last && std::fabs(wide) < 1.0L) {
        out = 0;
        return S_OK;
    }
    return DISP_E_OVERFLOW;
}

// Parses a decimal number the way automation reads a String: blanks around it, a sign, digits
// and an optional fraction or exponent.
HRESULT ParseNumber(BSTR text, double& out) {
    const std::u16string trimmed = Trim({text ? text : u"", SysStringLen(text)});
    if (trimmed.empty()) return DISP_E_TYPEMISMATCH;
    std::string ascii;
    for (char16_t c : trimmed) {
        if (c > 0x7F) return DISP_E_TYPEMISMATCH;
        ascii.push_back(static_cast<char>(c));
    }
    // from_chars also reads "inf", "nan" and "infinity", which automation does not.
    for (char c : ascii) {
        const bool numeric =
            (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
        if (!numeric) return DISP_E_TYPEMISMATCH;
    }
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    if (*first == '+') {
        ++first;
        if (first == last || *first == '-') return DISP_E_TYPEMISMATCH;
    }
    auto [end, ec] = std::from_chars(first, last, out);
    if (ec == std::errc::result_out_of_range && end == last) return OutOfRange(first, last, out);
    if (ec != std::errc() || end != last) return DISP_E_TYPEMISMATCH;
    return S_OK;
}

// Rounds half to even, as automation does when a fraction meets an integer slot.
HRESULT ToInteger(double value, double lo, double hi, double& out) {
    if (!std::isfinite(value)) return DISP_E_OVERFLOW;
    const double rounded = std::nearbyint(value);
    if (rounded < lo || rounded > hi) return DISP_E_OVERFLOW;
    out = rounded;
    return S_OK;
}

HRESULT NumericValue(const VARIANT& v, double& out) {
    switch (v.vt) {
        case VT_EMPTY:
            out = 0;
            return S_OK;
        case VT_I2:
            out = v.iVal;
            return S_OK;
        case VT_I4:
            out = v.lVal;
            return S_OK;
        case VT_R8:
            out = v.dblVal;
            return S_OK;
        case VT_BOOL:
            out = v.boolVal ? -1 : 0;
            return S_OK;
        case VT_BSTR: {
            if (mundor::rt::EqualsIgnoringCase(
                    {v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal)}, u"True")) {
                out = -1;
                return S_OK;
            }
            if (mundor::rt::EqualsIgnoringCase(
                    {v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal)}, u"False")) {
                out = 0;
                return S_OK;
            }
            return ParseNumber(v.bstrVal, out);
        }
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

std::u16string NumberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return mundor::rt::DecimalText(static_cast<std::int64_t>(value));
    }
    // to_chars ignores the C locale: a host that switched to a comma decimal separator must
    // still get text that ParseNumber reads back.
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc()) return u"";
    return mundor::rt::Utf8ToUtf16(
        std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

HRESULT ConvertValue(const VARIANT& src, VARTYPE vt, VARIANT& out) {
    VariantInit(&out);
    if (src.vt == vt) return VariantCopy(&out, &src);
    double number = 0;
    double integral = 0;
    switch (vt) {
        case VT_EMPTY:
            return S_OK;
        case VT_I4:
        case VT_I2: {
            if (HRESULT hr = NumericValue(src, number); FAILED(hr)) return hr;
            const bool wide = vt == VT_I4;
            const double lo = wide ? std::numeric_limits<LONG>::min() : -32768.0;
            const double hi = wide ? std::numeric_limits<LONG>::max() : 32767.0;
            if (HRESULT hr = ToInteger(number, lo, hi, integral); FAILED(hr)) return hr;
            if (wide) {
                out.lVal = static_cast<LONG>(integral);
            } else {
                out.iVal = static_cast<SHORT>(integral);
            }
            break;
        }
        case VT_R8:
            if (HRESULT hr = NumericValue(src, number); FAILED(hr)) return hr;
            out.dblVal = number;
            break;
        case VT_BOOL:
            if (HRESULT hr = NumericValue(src, number); FAILED(hr)) return hr;
            out.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_BSTR: {
            if (src.vt == VT_NULL || src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN ||
                src.vt == VT_ERROR) {
                return DISP_E_TYPEMISMATCH;
            }
            out.bstrVal = BString(mundor::rt::VariantToDisplayText(src)).Detach();
            break;
        }
        case VT_DISPATCH:
            if (src.vt == VT_EMPTY) {
                out.pdispVal = nullptr;
                break;
            }
            if (src.vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
            out.pdispVal = nullptr;
            if (src.punkVal && FAILED(src.punkVal->QueryInterface(
                                   IID_IDispatch, reinterpret_cast<void**>(&out.pdispVal)))) {
                return DISP_E_TYPEMISMATCH;
            }
            break;
        case VT_UNKNOWN:
            if (src.vt != VT_DISPATCH && src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
            out.punkVal = src.vt == VT_EMPTY ? nullptr : src.punkVal;
            if (out.punkVal) out.punkVal->AddRef();
            break;
        default:
            return DISP_E_BADVARTYPE;
    }
    out.vt = vt;
    return S_OK;
}

}  // namespace

extern "C" {

void VariantInit(VARIANT* v) {
    if (!v) return;
    *v = VARIANT{};
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    // The kinds that own something first; every other known kind is a plain value.
    switch (v->vt) {
        case VT_BSTR:
            SysFreeString(v->bstrVal);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (v->punkVal) v->punkVal->Release();
            break;
        default:
            if (!IsKnownType(v->vt)) return DISP_E_BADVARTYPE;
            break;
    }
    *v = VARIANT{};  // VT_EMPTY
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
    if (dest == src) return S_OK;
    if (HRESULT hr = VariantClear(dest); FAILED(hr)) return hr;
    *dest = *src;
    switch (src->vt) {
        case VT_BSTR:
            if (src->bstrVal) {
                dest->bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
                if (!dest->bstrVal) {
                    VariantInit(dest);
                    return E_OUTOFMEMORY;
                }
            }
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (dest->punkVal) dest->punkVal->AddRef();
            break;
        default:
            break;
    }
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
    VARIANT value;
    if (HRESULT hr = Dereference(*src, value); FAILED(hr)) return hr;
    VariantClear(dest);
    *dest = value;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, USHORT, VARTYPE vt) {
    if (!dest || !src) return E_INVALIDARG;
    if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
    VARIANT value;
    if (HRESULT hr = Dereference(*src, value); FAILED(hr)) return hr;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr =
        vt == VT_VARIANT ? VariantCopy(&converted, &value) : ConvertValue(value, vt, converted);
    VariantClear(&value);
    if (FAILED(hr)) {
        VariantClear(&converted);
        return hr;
    }
    VariantClear(dest);
    *dest = converted;
    return S_OK;
}
}

namespace mundor::rt {

namespace {
[[noreturn]] void RaiseConversion(HRESULT hr) {
    Raise(hr == DISP_E_OVERFLOW ? err::kOverflow : err::kTypeMismatch);
}
}  // namespace

Variant::Variant(const VARIANT& raw) {
    VariantInit(&v_);
    if (HRESULT hr = VariantCopy(&v_, &raw); FAILED(hr)) RaiseConversion(hr);
}

Variant::Variant(Variant&& other) noexcept : v_(other.v_) {
    VariantInit(&other.v_);
}

Variant& Variant::operator=(Variant other) noexcept {
    std::swap(v_, other.v_);
    return *this;
}

Variant::Variant(LONG value) : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
}

Variant::Variant(bool value) : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::u16string_view text) : Variant() {
    v_.bstrVal = BString(text).Detach();
    v_.vt = VT_BSTR;
}

Variant::Variant(IDispatch* object) : Variant() {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object;
    if (object) object->AddRef();
}

Variant Variant::Int16(SHORT value) {
    Variant v;
    v.v_.vt = VT_I2;
    v.v_.iVal = value;
    return v;
}

Variant Variant::Double(double value) {
    Variant v;
    v.v_.vt = VT_R8;
    v.v_.dblVal = value;
    return v;
}

Variant Variant::Null() {
    Variant v;
    v.v_.vt = VT_NULL;
    return v;
}

Variant Variant::Missing() {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant Variant::Attach(VARIANT& raw) {
    Variant v;
    v.v_ = raw;
    VariantInit(&raw);
    return v;
}

bool Variant::IsMissing() const {
    return v_.vt == VT_ERROR && v_.scode == DISP_E_PARAMNOTFOUND;
}

HRESULT Variant::ChangeType(VARTYPE vt) {
    return VariantChangeType(&v_, &v_, 0, vt);
}

VARIANT Variant::Detach() {
    VARIANT out = v_;
    VariantInit(&v_);
    return out;
}

LONG Variant::AsLong() const {
    Variant copy;
    if (HRESULT hr = VariantChangeType(copy.get(), &v_, 0, VT_I4); FAILED(hr)) RaiseConversion(hr);
    return copy.v_.lVal;
}

SHORT Variant::AsInt16() const {
    Variant copy;
    if (HRESULT hr = VariantChangeType(copy.get(), &v_, 0, VT_I2); FAILED(hr)) RaiseConversion(hr);
    return copy.v_.iVal;
}

bool Variant::AsBool() const {
    Variant copy;
    if (HRESULT hr = VariantChangeType(copy.get(), &v_, 0, VT_BOOL); FAILED(hr)) {
        RaiseConversion(hr);
    }
    return copy.v_.boolVal != VARIANT_FALSE;
}

std::u16string Variant::AsString() const {
    Variant copy;
    if (HRESULT hr = VariantChangeType(copy.get(), &v_, 0, VT_BSTR); FAILED(hr)) {
        RaiseConversion(hr);
    }
    return std::u16string(copy.v_.bstrVal ? copy.v_.bstrVal : u"", SysStringLen(copy.v_.bstrVal));
}

Ref<IDispatch> Variant::AsDispatch() const {
    Variant copy;
    if (HRESULT hr = VariantChangeType(copy.get(), &v_, 0, VT_DISPATCH); FAILED(hr)) {
        RaiseConversion(hr);
    }
    return Ref<IDispatch>(copy.v_.pdispVal);
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.vt() != b.vt()) return false;
    switch (a.vt()) {
        case VT_EMPTY:
        case VT_NULL:
            return true;
        case VT_I2:
            return a.v_.iVal == b.v_.iVal;
        case VT_I4:
            return a.v_.lVal == b.v_.lVal;
        case VT_R8:
            return a.v_.dblVal == b.v_.dblVal;
        case VT_BOOL:
            return (a.v_.boolVal != 0) == (b.v_.boolVal != 0);
        case VT_ERROR:
            return a.v_.scode == b.v_.scode;
        case VT_BSTR:
            return a.AsString() == b.AsString();
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return SameObject(a.v_.punkVal, b.v_.punkVal);
        default:
            return false;
    }
}

std::u16string VariantToDisplayText(const VARIANT& v) {
    switch (v.vt) {
        case VT_EMPTY:
            return u"";
        case VT_NULL:
            return u"Null";
        case VT_I2:
            return NumberText(v.iVal);
        case VT_I4:
            return NumberText(v.lVal);
        case VT_R8:
            return NumberText(v.dblVal);
        case VT_BOOL:
            return v.boolVal ? u"True" : u"False";
        case VT_BSTR:
            return std::u16string(v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal));
        case VT_ERROR:
            return u"Error " + NumberText(v.scode);
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return v.punkVal ? u"(objeto)" : u"Nothing";
        default:
            break;
    }
    if (v.vt & VT_BYREF) {
        VARIANT value;
        if (FAILED(VariantCopyInd(&value, &v))) return u"";
        std::u16string text = VariantToDisplayText(value);
        VariantClear(&value);
        return text;
    }
    return u"";
}

}  // namespace mundor::rt
