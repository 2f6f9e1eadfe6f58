#include "runtime/dispatch.h"

#include <algorithm>
#include <array>
#include <optional>

#include "runtime/error.h"
#include "runtime/log.h"
#include "runtime/ref.h"
#include "runtime/text.h"

namespace mundor::rt {

namespace {

std::size_t Length(const OLECHAR* s) {
    std::size_t n = 0;
    while (s[n] != 0) ++n;
    return n;
}

// FNV-1a over the case-folded units: names that differ only in case hash alike.
constexpr std::uint32_t kHashBasis = 2166136261u;
constexpr std::uint32_t HashStep(std::uint32_t hash, char16_t unit) {
    return (hash ^ FoldCase(unit)) * 16777619u;
}

std::uint32_t FoldedHash(std::u16string_view name) {
    std::uint32_t hash = kHashBasis;
    for (const char16_t unit : name) hash = HashStep(hash, unit);
    return hash;
}

// Whether `name` folds to `folded`, which is folded already.
bool FoldsTo(std::u16string_view name, std::u16string_view folded) {
    if (name.size() != folded.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (FoldCase(name[i]) != folded[i]) return false;
    }
    return true;
}

// Per-parameter bookkeeping of one call, kept on the stack for the usual few parameters.
template <class T>
class CallSlots {
  public:
    CallSlots(std::size_t count, T value)
        : heap_(count > kInline ? std::make_unique<T[]>(count) : nullptr),
          slots_(heap_ ? heap_.get() : inline_.data()) {
        std::fill(slots_, slots_ + count, value);
    }
    T& operator[](std::size_t i) { return slots_[i]; }

  private:
    static constexpr std::size_t kInline = 8;
    std::array<T, kInline> inline_;  // filled by the constructor, as far as it is used
    std::unique_ptr<T[]> heap_;
    T* slots_;
};

// The VARIANT a by-reference argument points at, or null when the argument is by value.
bool IsByRef(const VARIANT& v) {
    return (v.vt & VT_BYREF) != 0;
}

bool IsOmitted(const VARIANT& v) {
    // One level only: a Variant reference may not refer to another (nor to itself).
    const VARIANT& value = v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal ? *v.pvarVal : v;
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

// A by-reference argument can only be written back into a variable of the parameter's own type
// (or a Variant variable); any other by-reference kind is refused before the call.
bool ByRefKindFits(const VARIANT& arg, const Param& p) {
    if (!IsByRef(arg)) return true;
    const VARTYPE base = arg.vt & VT_TYPEMASK;
    if (base == VT_VARIANT) return true;
    if (p.type == VT_VARIANT) return true;
    if (p.type == VT_DISPATCH) return base == VT_DISPATCH || base == VT_UNKNOWN;
    return base == p.type;
}

HRESULT DefaultInto(const Param& p, VARIANT& slot) {
    VariantInit(&slot);
    slot.vt = p.type;
    switch (p.type) {
        case VT_I2:
            slot.iVal = static_cast<SHORT>(p.defaultValue);
            break;
        case VT_I4:
            slot.lVal = p.defaultValue;
            break;
        case VT_BOOL:
            slot.boolVal = p.defaultValue ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_BSTR:
            slot.bstrVal = nullptr;
            break;
        case VT_DISPATCH:
            slot.pdispVal = nullptr;
            break;
        case VT_VARIANT:
            slot.vt = VT_ERROR;
            slot.scode = DISP_E_PARAMNOTFOUND;
            break;
        default:
            return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

HRESULT CoerceInto(const VARIANT& arg, const Param& p, VARIANT& slot) {
    if (p.type == VT_VARIANT) return VariantCopyInd(&slot, &arg);
    if (HRESULT hr = VariantChangeType(&slot, &arg, 0, p.type); FAILED(hr)) return hr;
    if (p.type != VT_DISPATCH || !p.iid || !slot.pdispVal) return S_OK;
    // An object argument must support the interface the member is typed with.
    IDispatch* typed = nullptr;
    if (FAILED(slot.pdispVal->QueryInterface(*p.iid, reinterpret_cast<void**>(&typed)))) {
        VariantClear(&slot);
        return DISP_E_TYPEMISMATCH;
    }
    slot.pdispVal->Release();
    slot.pdispVal = typed;
    return S_OK;
}

// A value the member left that the caller's variable cannot take: the variable keeps its old
// value and the call still succeeds, as the platform does; only the log hears of it.
void LogWriteBackDropped(HRESULT hr) {
    const LONG number = ErrorNumberForDispatchFailure(hr);
    LogDroppedError("runtime", u"al devolver un argumento por referencia", number,
                    StandardDescription(number));
}

// Writes a slot back into the caller's by-reference variable.
void WriteBack(const VARIANT& slot, VARIANT& arg) {
    if (!IsByRef(arg) || !arg.byref) return;
    const VARTYPE base = arg.vt & VT_TYPEMASK;
    if (base == VT_VARIANT) {
        if (const HRESULT hr = VariantCopy(arg.pvarVal, &slot); FAILED(hr)) LogWriteBackDropped(hr);
        return;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (const HRESULT hr = VariantChangeType(&converted, &slot, 0, base); FAILED(hr)) {
        LogWriteBackDropped(hr);
        return;
    }
    switch (base) {
        case VT_I2:
            *arg.piVal = converted.iVal;
            break;
        case VT_I4:
            *arg.plVal = converted.lVal;
            break;
        case VT_R8:
            *arg.pdblVal = converted.dblVal;
            break;
        case VT_BOOL:
            *arg.pboolVal = converted.boolVal;
            break;
        case VT_BSTR:
            SysFreeString(*arg.pbstrVal);
            *arg.pbstrVal = converted.bstrVal;
            converted.bstrVal = nullptr;
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (*arg.ppunkVal) (*arg.ppunkVal)->Release();
            *arg.ppunkVal = converted.punkVal;
            converted.punkVal = nullptr;
            break;
        default:
            break;
    }
    converted.vt = VT_EMPTY;
}

// Where each declared parameter's argument sits in rgvarg, or nothing when omitted.
HRESULT MapArguments(const MemberInfo& m, const DISPPARAMS& dp,
                     CallSlots<std::optional<UINT>>& where) {
    if (dp.cNamedArgs > dp.cArgs) return E_INVALIDARG;
    if (dp.cNamedArgs > 0 && !dp.rgdispidNamedArgs) return E_INVALIDARG;
    const UINT positional = dp.cArgs - dp.cNamedArgs;
    const bool put = m.kind == MemberKind::Put;
    if (positional > m.params.size()) return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < positional; ++i) where[i] = dp.cArgs - 1 - i;
    for (UINT k = 0; k < dp.cNamedArgs; ++k) {
        DISPID named = dp.rgdispidNamedArgs[k];
        if (named == DISPID_PROPERTYPUT) {
            if (!put) return DISP_E_PARAMNOTFOUND;
            named = static_cast<DISPID>(m.params.size()) - 1;
        }
        if (named < 0 || static_cast<std::size_t>(named) >= m.params.size()) {
            return DISP_E_PARAMNOTFOUND;
        }
        if (where[static_cast<std::size_t>(named)]) return DISP_E_PARAMNOTFOUND;
        where[static_cast<std::size_t>(named)] = k;
    }
    return S_OK;
}

void SetArgErr(UINT* argErr, UINT index) {
    if (argErr) *argErr = index;
}

// Runs the member on a frame whose arguments are in place, and answers as Invoke does: the
// thread's error record cleared first; on failure, the error recorded and in EXCEPINFO; the
// result handed to the caller. `writeBack` returns what the member left in by-reference slots.
template <class WriteBackAll>
HRESULT CallMember(const MemberInfo& m, void* self, Frame& frame, WriteBackAll&& writeBack,
                   VARIANT* result, EXCEPINFO* excep) {
    ClearLastError();
    // Invoke is an ABI edge: a handler that throws still answers with an HRESULT.
    HRESULT hr = S_OK;
    if (const HRESULT thrown = Guard([&] { hr = m.Call(self, frame); }); FAILED(thrown)) {
        hr = thrown;
    }
    if (FAILED(hr)) {
        // The error is taken first: writing back may release a replaced object, whose own code
        // could record errors of its own.
        const RuntimeError error = ErrorFromHResult(hr);
        writeBack();
        RecordError(error);
        FillExcepInfo(excep, error);
        return DISP_E_EXCEPTION;
    }
    writeBack();
    if (!result) return S_OK;
    *result = VARIANT{};
    if (m.result != VT_EMPTY) {
        *result = frame.result();
        frame.result() = VARIANT{};  // handed over: the frame no longer owns it
    }
    return S_OK;
}

}  // namespace

void Frame::InitArgs() {
    if (size_ > kInlineSlots) {
        heap_ = std::make_unique<VARIANT[]>(size_);
        args_ = heap_.get();
    }
    for (std::size_t i = 0; i < size_; ++i) VariantInit(&args_[i]);
}

void Frame::ClearSlots() {
    for (std::size_t i = 0; i < size_; ++i) VariantClear(&args_[i]);
    VariantClear(&result_);
}

DispatchTableBase::DispatchTableBase(std::vector<MemberInfo> members)
    : members_(std::move(members)) {
    IndexNames();
    IndexIds();
}

void DispatchTableBase::IndexNames() {
    foldedNames_.reserve(members_.size());
    for (const MemberInfo& m : members_) {
        std::u16string folded(m.name);
        for (char16_t& unit : folded) unit = FoldCase(unit);
        foldedNames_.push_back(std::move(folded));
    }
    std::size_t capacity = 8;
    while (capacity < members_.size() * 2) capacity *= 2;
    nameSlots_.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t index = 0; index < members_.size(); ++index) {
        const MemberInfo& m = members_[index];
        std::size_t slot = FoldedHash(m.name) & mask;
        while (nameSlots_[slot] != 0 && foldedNames_[nameSlots_[slot] - 1] != foldedNames_[index]) {
            slot = (slot + 1) & mask;
        }
        const std::uint32_t current = nameSlots_[slot];
        // Prefer the entry that carries the argument names (the method or the property read).
        if (current == 0 || members_[current - 1].kind == MemberKind::Put) {
            nameSlots_[slot] = static_cast<std::uint32_t>(index + 1);
        }
    }
}

const MemberInfo* DispatchTableBase::FindByName(const OLECHAR* name) const {
    // One pass measures and hashes the name; the members' names are folded once, beforehand.
    std::uint32_t hash = kHashBasis;
    std::size_t length = 0;
    for (; name[length] != 0; ++length) hash = HashStep(hash, name[length]);
    const std::u16string_view wanted(name, length);
    const std::size_t mask = nameSlots_.size() - 1;
    for (std::size_t slot = hash & mask; nameSlots_[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint32_t index = nameSlots_[slot] - 1;
        if (FoldsTo(wanted, foldedNames_[index])) return &members_[index];
    }
    return nullptr;
}

HRESULT DispatchTableBase::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_INVALIDARG;
    const MemberInfo* found = names[0] ? FindByName(names[0]) : nullptr;
    ids[0] = found ? found->id : DISPID_UNKNOWN;
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return E_INVALIDARG;
    if (!found) return DISP_E_UNKNOWNNAME;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        if (!names[i]) return E_INVALIDARG;
        const std::u16string_view param(names[i], Length(names[i]));
        for (std::size_t p = 0; p < found->params.size(); ++p) {
            if (SameMemberName(found->params[p].name, param)) ids[i] = static_cast<DISPID>(p);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

void DispatchTableBase::IndexIds() {
    DISPID highest = -1;
    for (const MemberInfo& m : members_) highest = std::max(highest, m.id);
    if (highest < 0 || highest >= kMaxIndexedId) return;
    byId_.assign(static_cast<std::size_t>(highest) + 1, IdSlots{});
    indexedIds_ = static_cast<std::uint32_t>(byId_.size());
    for (const MemberInfo& m : members_) {
        if (m.id < 0) continue;
        IdSlots& slots = byId_[static_cast<std::size_t>(m.id)];
        if (m.kind == MemberKind::Put) {
            if (!slots.put) slots.put = &m;
        } else {
            slots.several = slots.read != nullptr;
            slots.read = &m;
        }
    }
}

inline const MemberInfo* DispatchTableBase::Find(DISPID id, WORD flags) const {
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    // A function may be read like a property and a property called like a function.
    const bool read = (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
    if (static_cast<std::uint32_t>(id) < indexedIds_) {
        const IdSlots& slots = byId_[static_cast<std::uint32_t>(id)];
        if (put) return slots.put;
        if (!slots.several) return read ? slots.read : nullptr;
    }
    return Scan(id, flags);
}

// A DISPID beyond the index, or a method and a property read sharing one: the flags choose.
const MemberInfo* DispatchTableBase::Scan(DISPID id, WORD flags) const {
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const MemberInfo* fallback = nullptr;
    for (const MemberInfo& m : members_) {
        if (m.id != id) continue;
        if (put) {
            if (m.kind == MemberKind::Put) return &m;
            continue;
        }
        if (m.kind == MemberKind::Put) continue;
        const bool exact = (m.kind == MemberKind::Method && (flags & DISPATCH_METHOD)) ||
                           (m.kind == MemberKind::Get && (flags & DISPATCH_PROPERTYGET));
        if (exact) return &m;
        fallback = &m;
    }
    return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) ? fallback : nullptr;
}

HRESULT DispatchTableBase::Invoke(void* self, IUnknown* lifetime, DISPID id, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                  UINT* argErr) const {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const DISPPARAMS& dp = params ? *params : none;
    if (dp.cArgs > 0 && !dp.rgvarg) return E_INVALIDARG;
    const MemberInfo* m = Find(id, flags);
    if (!m) return DISP_E_MEMBERNOTFOUND;
    const Ref<IUnknown> keepAlive(m->kind == MemberKind::Get ? nullptr : lifetime);
    // A member without parameters called without arguments, as every property read is: nothing
    // to map, coerce, default or write back. Any argument at all takes the general road below,
    // which refuses it.
    if (m->params.empty() && dp.cArgs == 0 && dp.cNamedArgs == 0) {
        Frame frame(0, m->result);
        return CallMember(
            *m, self, frame, [] {}, result, excep);
    }
    CallSlots<std::optional<UINT>> where(m->params.size(), std::nullopt);
    if (HRESULT hr = MapArguments(*m, dp, where); FAILED(hr)) return hr;

    Frame frame(m->params.size(), m->result);
    CallSlots<bool> supplied(m->params.size(), false);
    for (std::size_t i = 0; i < m->params.size(); ++i) {
        const Param& p = m->params[i];
        const bool omitted = !where[i] || IsOmitted(dp.rgvarg[*where[i]]);
        supplied[i] = !omitted;
        if (omitted) {
            if (!p.optional) return DISP_E_PARAMNOTOPTIONAL;
            if (HRESULT hr = DefaultInto(p, frame.arg(i)); FAILED(hr)) return hr;
            continue;
        }
        const VARIANT& arg = dp.rgvarg[*where[i]];
        if (IsByRef(arg) && !arg.byref) {
            SetArgErr(argErr, *where[i]);
            return DISP_E_TYPEMISMATCH;
        }
        if (!ByRefKindFits(arg, p)) {
            SetArgErr(argErr, *where[i]);
            return DISP_E_TYPEMISMATCH;
        }
        if (HRESULT hr = CoerceInto(arg, p, frame.arg(i)); FAILED(hr)) {
            SetArgErr(argErr, *where[i]);
            return hr;
        }
    }
    // The member worked on the caller's variables, as it does through the vtable, so what it
    // left in them goes back whether or not it then failed.
    const auto writeBack = [&] {
        for (std::size_t i = 0; i < m->params.size(); ++i) {
            if (m->params[i].byRef && supplied[i]) WriteBack(frame.arg(i), dp.rgvarg[*where[i]]);
        }
    };
    return CallMember(*m, self, frame, writeBack, result, excep);
}

}  // namespace mundor::rt
