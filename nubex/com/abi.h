// Small helpers for the vtable edge: out-parameters filled inside rt::Guard, BSTR in and out.
#pragma once

#include <new>
#include <string_view>

#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::com {

// Fills *out with what body returns; a failure inside body becomes the call's HRESULT.
template <class T, class Body>
HRESULT Produce(T* out, Body&& body) noexcept {
    if (!out) return E_POINTER;
    return mundor::rt::Guard([&] { *out = body(); });
}

// The text a BSTR holds, embedded NULs included; a null BSTR is the empty text.
inline std::u16string_view TextOf(BSTR text) {
    return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view();
}

// A new BSTR with exactly these code units.
inline BSTR AllocText(std::u16string_view text) {
    BSTR out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!out) throw std::bad_alloc();
    return out;
}

inline VARIANT_BOOL ToBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace nubex::com
