// Fuzzes what a caller by name hands the runtime: VARIANTs of every kind the runtime knows, by
// value and by reference, with any value, coerced to every kind; and any of them passed to any
// member of a record object by name, in any number, named or not, with any call flags. Nothing
// may crash or leak (AddressSanitizer and LeakSanitizer watch), a coercion that succeeds gives
// the kind asked for, a Long made text and back is the same Long, and a call that succeeds with
// a result leaves one that can be cleared.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "contracts/data_objects.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/registry.h"
#include "runtime/variant.h"

namespace {

namespace rt = mundor::rt;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "variant_dispatch_fuzz: %s\n", what);
    std::abort();
}

// The fuzzer's bytes, taken a little at a time; zeros once they run out.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return size_ == 0; }
    std::uint8_t Byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    template <class T>
    T Value() {
        T value{};
        const std::size_t taken = std::min(sizeof value, size_);
        std::memcpy(&value, data_, taken);
        data_ += taken;
        size_ -= taken;
        return value;
    }
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

// A VARIANT the caller owns (by-reference ones point into `referenced`).
VARIANT MakeVariant(Bytes& bytes, Referenced& referenced, IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    const std::uint8_t choice = bytes.Byte();
    switch (choice % 13) {
        case 0:
            break;
        case 1:
            v.vt = VT_NULL;
            break;
        case 2:
            v.vt = VT_I2;
            v.iVal = bytes.Value<SHORT>();
            break;
        case 3:
            v.vt = VT_I4;
            v.lVal = bytes.Value<LONG>();
            break;
        case 4:
            v.vt = VT_R8;
            v.dblVal = bytes.Value<double>();
            break;
        case 5:
            v.vt = VT_BOOL;
            v.boolVal = bytes.Value<VARIANT_BOOL>();
            break;
        case 6: {
            const std::u16string text = bytes.Text();
            v.vt = VT_BSTR;
            v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            break;
        }
        case 7:
            v.vt = VT_ERROR;
            v.scode = bytes.Byte() % 2 ? DISP_E_PARAMNOTFOUND : bytes.Value<SCODE>();
            break;
        case 8:
            v.vt = VT_DISPATCH;
            v.pdispVal = bytes.Byte() % 2 ? object : nullptr;
            if (v.pdispVal) v.pdispVal->AddRef();
            break;
        case 9:
            v.vt = VT_BYREF | VT_I4;
            v.plVal = &referenced.longs.emplace_back(bytes.Value<LONG>());
            break;
        case 10:
            v.vt = VT_BYREF | VT_BOOL;
            v.pboolVal = &referenced.bools.emplace_back(bytes.Value<VARIANT_BOOL>());
            break;
        case 11: {
            const std::u16string text = bytes.Text();
            v.vt = VT_BYREF | VT_BSTR;
            v.pbstrVal = &referenced.texts.emplace_back(
                SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
            break;
        }
        default: {
            VARIANT inner = MakeVariant(bytes, referenced, object);
            if (inner.vt & VT_BYREF) inner.vt = VT_EMPTY;  // VARIANT* to a plain value only
            v.vt = VT_BYREF | VT_VARIANT;
            v.pvarVal = &referenced.variants.emplace_back(inner);
            break;
        }
    }
    return v;
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

constexpr const char16_t* kMemberNames[] = {u"Codigo",
                                            u"Nombre",
                                            u"CodigoTel",
                                            u"Sys_PK",
                                            u"Sys_GUID",
                                            u"ErrorCode",
                                            u"ErrorDescription",
                                            u"SetConnection",
                                            u"NewRecord",
                                            u"LoadRecord",
                                            u"LoadFromADOConnection",
                                            u"SaveRecord",
                                            u"DeleteRecord",
                                            u"IPais",
                                            u"Estado"};

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
