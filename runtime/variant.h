// VARIANT: the platform's tagged value. The C functions keep COM's contracts; `Variant` owns one
// value and performs the coercions that automation performs when a value meets a typed slot.
#pragma once

#include <string>
#include <string_view>

#include "runtime/bstr.h"
#include "runtime/com_types.h"
#include "runtime/export.h"
#include "runtime/ref.h"

extern "C" {
MUNDOR_API void VariantInit(VARIANT* v);
MUNDOR_API HRESULT VariantClear(VARIANT* v);
MUNDOR_API HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Copies and, for a by-reference source, copies the referenced value instead of the reference.
MUNDOR_API HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src);
MUNDOR_API HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, USHORT flags, VARTYPE vt);
}

namespace mundor::rt {

class MUNDOR_API Variant {
  public:
    Variant() { VariantInit(&v_); }
    Variant(const VARIANT& raw);  // copies
    Variant(const Variant& other) : Variant(other.v_) {}
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant() { VariantClear(&v_); }

    Variant(LONG value);
    Variant(bool value);
    Variant(std::u16string_view text);
    Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
    Variant(const BString& text) : Variant(text.view()) {}
    Variant(IDispatch* object);  // takes a new reference; null makes an object-typed Nothing
    template <class I>
    Variant(const Ref<I>& object) : Variant(static_cast<IDispatch*>(object.get())) {}

    static Variant Int16(SHORT value);
    static Variant Double(double value);
    static Variant Null();
    static Variant Missing();  // an omitted optional argument
    static Variant Nothing() { return Variant(static_cast<IDispatch*>(nullptr)); }
    static Variant Attach(VARIANT& raw);  // takes over raw's value; raw becomes Empty

    VARTYPE vt() const { return v_.vt; }
    bool IsEmpty() const { return v_.vt == VT_EMPTY; }
    bool IsNull() const { return v_.vt == VT_NULL; }
    bool IsMissing() const;
    bool IsObject() const { return v_.vt == VT_DISPATCH || v_.vt == VT_UNKNOWN; }

    // Coercing readers: they raise the platform's type-mismatch or overflow error when the value
    // cannot become the asked kind.
    LONG AsLong() const;
    SHORT AsInt16() const;
    bool AsBool() const;
    std::u16string AsString() const;
    Ref<IDispatch> AsDispatch() const;  // Empty or Nothing gives an empty reference
    template <class I>
    Ref<I> AsObject() const {
        return AsDispatch().template As<I>();
    }

    // Coerces in place; the platform's HRESULT on failure.
    HRESULT ChangeType(VARTYPE vt);

    const VARIANT& raw() const { return v_; }
    VARIANT* get() { return &v_; }
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    VARIANT Detach();

    MUNDOR_API friend bool operator==(const Variant& a, const Variant& b);

  private:
    VARIANT v_;
};

// The text automation gives a value when it turns into a String (True/False for Booleans).
MUNDOR_API std::u16string VariantToDisplayText(const VARIANT& v);

}  // namespace mundor::rt
