// Fuzzes what a caller by name hands the runtime: VARIANTs of every kind the runtime knows, by
// value and by reference, with any value, coerced to every kind; and any of them passed to any
// member of a record object by name, in any number, named or not, with any call flags. Nothing
// may crash or leak (AddressSanitizer and LeakSanitizer watch), a coercion that succeeds gives
// the kind asked for, a Long made text and back is the same Long, and a call that succeeds with
// a result leaves one that can be cleared.
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <type_traits>
#include <vector>

#include "contracts/data_objects.h"
#include "fuzz_check.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/registry.h"
#include "runtime/variant.h"

namespace {

using mundor::fuzz::Fail;

namespace rt = mundor::rt;

// The fuzzer's bytes, taken a little at a time; zeros once they run out.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return size_ == 0; }
    template <class T>
    T Value() {
        T value{};
        const std::size_t taken = std::min(sizeof value, size_);
        std::memcpy(&value, data_, taken);
        data_ += taken;
        size_ -= taken;
        return value;
    }
    std::uint8_t Byte() { return Value<std::uint8_t>(); }
    std::u16string Text() {
        std::u16string text(Byte() % 24, u'\0');
        for (char16_t& unit : text) unit = Value<char16_t>();
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Values that by-reference arguments point to; they outlive the call, and the BSTRs in them
// (whatever the callee left there) are freed at the end.
struct Referenced {
    std::deque<LONG> longs;
    std::deque<VARIANT_BOOL> bools;
    std::deque<BSTR> texts;
    std::deque<VARIANT> variants;
    ~Referenced() {
        for (BSTR text : texts) SysFreeString(text);
        for (VARIANT& v : variants) VariantClear(&v);
    }
};

constexpr VARTYPE kKinds[] = {VT_EMPTY, VT_NULL, VT_I2,    VT_I4,      VT_R8,
                              VT_BOOL,  VT_BSTR, VT_ERROR, VT_DISPATCH};

// A VARIANT of kind `vt` with `value` in its `field`.
template <class T>
VARIANT Holding(VARTYPE vt, T VARIANT::*field, std::type_identity_t<T> value) {
    VARIANT v{};
    v.vt = vt;
    v.*field = value;
    return v;
}

BSTR NewText(Bytes& bytes) {
    const std::u16string text = bytes.Text();
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// A VARIANT the caller owns (by-reference ones point into `referenced`).
VARIANT MakeVariant(Bytes& bytes, Referenced& referenced, IDispatch* object) {
    switch (bytes.Byte() % 13) {
        case 0:
            return VARIANT{};
        case 1:
            return Holding(VT_NULL, &VARIANT::lVal, 0);
        case 2:
            return Holding(VT_I2, &VARIANT::iVal, bytes.Value<SHORT>());
        case 3:
            return Holding(VT_I4, &VARIANT::lVal, bytes.Value<LONG>());
        case 4:
            return Holding(VT_R8, &VARIANT::dblVal, bytes.Value<double>());
        case 5:
            return Holding(VT_BOOL, &VARIANT::boolVal, bytes.Value<VARIANT_BOOL>());
        case 6:
            return Holding(VT_BSTR, &VARIANT::bstrVal, NewText(bytes));
        case 7:
            return Holding(VT_ERROR, &VARIANT::scode,
                           bytes.Byte() % 2 ? DISP_E_PARAMNOTFOUND : bytes.Value<SCODE>());
        case 8: {
            IDispatch* held = bytes.Byte() % 2 ? object : nullptr;
            if (held) held->AddRef();
            return Holding(VT_DISPATCH, &VARIANT::pdispVal, held);
        }
        case 9:
            return Holding(VT_BYREF | VT_I4, &VARIANT::plVal,
                           &referenced.longs.emplace_back(bytes.Value<LONG>()));
        case 10:
            return Holding(VT_BYREF | VT_BOOL, &VARIANT::pboolVal,
                           &referenced.bools.emplace_back(bytes.Value<VARIANT_BOOL>()));
        case 11:
            return Holding(VT_BYREF | VT_BSTR, &VARIANT::pbstrVal,
                           &referenced.texts.emplace_back(NewText(bytes)));
        default: {
            VARIANT inner = MakeVariant(bytes, referenced, object);
            if (inner.vt & VT_BYREF) inner.vt = VT_EMPTY;  // VARIANT* to a plain value only
            return Holding(VT_BYREF | VT_VARIANT, &VARIANT::pvarVal,
                           &referenced.variants.emplace_back(inner));
        }
    }
}

void CheckCoercions(const VARIANT& source) {
    for (const VARTYPE kind : kKinds) {
        rt::Variant coerced;
        if (SUCCEEDED(VariantChangeType(coerced.put(), &source, 0, kind)) && coerced.vt() != kind) {
            Fail("a coercion answered another kind than asked");
        }
    }
    if (source.vt != VT_I4) return;
    rt::Variant text;
    rt::Variant back;
    if (FAILED(VariantChangeType(text.put(), &source, 0, VT_BSTR)) ||
        FAILED(VariantChangeType(back.put(), text.get(), 0, VT_I4)) ||
        back.raw().lVal != source.lVal) {
        Fail("a Long did not survive its text");
    }
}

// The members of the record classes, by the names hosts call them (the seeds pick them by their
// place here).
constexpr const char16_t* kMemberNames[] = {
    // Properties
    u"Codigo", u"Nombre", u"CodigoTel", u"Sys_PK", u"Sys_GUID", u"ErrorCode", u"ErrorDescription",
    // Methods
    u"SetConnection", u"NewRecord", u"LoadRecord", u"LoadFromADOConnection", u"SaveRecord",
    u"DeleteRecord",
    // The parent records
    u"IPais", u"Estado"};

DISPID MemberId(Bytes& bytes, IDispatch* object) {
    const std::uint8_t choice = bytes.Byte();
    if (choice >= 2 * std::size(kMemberNames)) return static_cast<DISPID>(bytes.Value<SHORT>());
    std::u16string name = kMemberNames[choice % std::size(kMemberNames)];
    if (choice >= std::size(kMemberNames)) name = bytes.Text();  // a name of the fuzzer's own
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

void CallByName(Bytes& bytes, IDispatch* object) {
    Referenced referenced;
    const DISPID id = MemberId(bytes, object);
    static constexpr WORD kFlags[] = {
        DISPATCH_METHOD,      DISPATCH_PROPERTYGET,    DISPATCH_METHOD | DISPATCH_PROPERTYGET,
        DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, 0};
    const WORD flags = kFlags[bytes.Byte() % std::size(kFlags)];
    std::vector<VARIANT> args(bytes.Byte() % 6);
    for (VARIANT& arg : args) {
        arg = MakeVariant(bytes, referenced, object);
        CheckCoercions(arg);
    }
    std::vector<DISPID> named(args.empty() ? 0 : bytes.Byte() % (args.size() + 1));
    for (DISPID& name : named) {
        name = bytes.Byte() % 2 ? DISPID_PROPERTYPUT : static_cast<DISPID>(bytes.Byte() % 8);
    }
    DISPPARAMS params{args.data(), named.data(), static_cast<UINT>(args.size()),
                      static_cast<UINT>(named.size())};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argError = 0;
    const bool wantsResult = bytes.Byte() % 2 == 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &params,
                                      wantsResult ? &result : nullptr, &exception, &argError);
    if (SUCCEEDED(hr) && FAILED(VariantClear(&result))) Fail("a result that cannot be cleared");
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    for (VARIANT& arg : args) VariantClear(&arg);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = SUCCEEDED(nubex::RegisterInProcess());
    if (!registered) Fail("the record classes are not registered");
    Bytes bytes(data, size);
    const CLSID& clsid = bytes.Byte() % 2 ? nubex::CLSID_Pais : nubex::CLSID_EdoProv;
    const rt::Ref<IDispatch> record = rt::CreateInstance<IDispatch>(clsid);
    while (!bytes.empty()) CallByName(bytes, record.get());
    return 0;
}
