// Dispatch by name: a member table serves IDispatch::GetIDsOfNames and IDispatch::Invoke for an
// object whose typed interface is already written. Each member lists its parameters; Invoke
// coerces the caller's arguments into typed slots, fills omitted optional ones, calls the typed
// member, writes by-reference arguments back (also when the member fails, as a vtable caller's
// variables keep what the member left in them) and hands out the result.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/com_types.h"
#include "runtime/export.h"
#include "runtime/text.h"
#include "runtime/variant.h"

namespace mundor::rt {

enum class MemberKind : WORD {
    Method = DISPATCH_METHOD,
    Get = DISPATCH_PROPERTYGET,
    Put = DISPATCH_PROPERTYPUT,
};

struct Param {
    std::u16string_view name;
    VARTYPE type;  // VT_I2, VT_I4, VT_BOOL, VT_BSTR, VT_DISPATCH or VT_VARIANT
    bool optional = false;
    LONG defaultValue = 0;     // for an omitted optional argument (True is -1); objects: Nothing
    const IID* iid = nullptr;  // VT_DISPATCH: the interface the argument must support
    bool byRef = true;
};

inline Param Long(std::u16string_view name) {
    return {name, VT_I4};
}
inline Param OptLong(std::u16string_view name, LONG def = 0) {
    return {name, VT_I4, true, def};
}
inline Param Bool(std::u16string_view name) {
    return {name, VT_BOOL};
}
inline Param OptBool(std::u16string_view name, bool def) {
    return {name, VT_BOOL, true, def ? VARIANT_TRUE : VARIANT_FALSE};
}
inline Param Str(std::u16string_view name) {
    return {name, VT_BSTR};
}
inline Param OptStr(std::u16string_view name) {
    return {name, VT_BSTR, true};
}
inline Param Var(std::u16string_view name) {
    return {name, VT_VARIANT};
}
// An omitted optional Variant stays "missing" (VT_ERROR / DISP_E_PARAMNOTFOUND).
inline Param OptVar(std::u16string_view name) {
    return {name, VT_VARIANT, true};
}
template <class I>
Param Obj(std::u16string_view name) {
    return {name, VT_DISPATCH, false, 0, &uuidof<I>()};
}
template <class I>
Param OptObj(std::u16string_view name) {
    return {name, VT_DISPATCH, true, 0, &uuidof<I>()};
}

// The typed slots of one call: parameters in declared order and the result. Building and ending
// a frame without parameters costs a few stores, so an argument-less read pays for no more.
class MUNDOR_API Frame {
  public:
    Frame(std::size_t params, VARTYPE resultType) : args_(inline_), size_(params), result_{} {
        result_.vt = resultType == VT_VARIANT ? VARTYPE{VT_EMPTY} : resultType;
        if (size_ > 0) InitArgs();
    }
    ~Frame() {
        if (size_ > 0 || result_.vt != VT_EMPTY) ClearSlots();
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    LONG* Long(std::size_t i) { return &args_[i].lVal; }
    SHORT* Int16(std::size_t i) { return &args_[i].iVal; }
    VARIANT_BOOL* Bool(std::size_t i) { return &args_[i].boolVal; }
    BSTR* Str(std::size_t i) { return &args_[i].bstrVal; }
    VARIANT* Var(std::size_t i) { return &args_[i]; }
    template <class I>
    I** Obj(std::size_t i) {
        return reinterpret_cast<I**>(&args_[i].pdispVal);
    }

    LONG* RetLong() { return &result_.lVal; }
    VARIANT_BOOL* RetBool() { return &result_.boolVal; }
    BSTR* RetStr() { return &result_.bstrVal; }
    VARIANT* RetVar() { return &result_; }
    template <class I>
    I** RetObj() {
        return reinterpret_cast<I**>(&result_.pdispVal);
    }

    VARIANT& arg(std::size_t i) { return args_[i]; }
    VARIANT& result() { return result_; }
    std::size_t size() const { return size_; }

  private:
    void InitArgs();
    void ClearSlots();

    // Members take a handful of parameters: their slots live in the frame itself, so that a call
    // by name allocates nothing of its own; a longer list goes to the heap.
    static constexpr std::size_t kInlineSlots = 6;
    VARIANT inline_[kInlineSlots];
    std::unique_ptr<VARIANT[]> heap_;
    VARIANT* args_;
    std::size_t size_;
    VARIANT result_;
};

// A member's handler with its class's type erased. `invoke` turns `handler` back into the
// table's own function type and calls it: one indirect hop, no std::function, no allocation.
using ErasedHandler = void (*)();

struct MemberInfo {
    std::u16string_view name;
    DISPID id;
    MemberKind kind;
    std::vector<Param> params;
    VARTYPE result = VT_EMPTY;  // VT_EMPTY: no result
    ErasedHandler handler = nullptr;
    HRESULT (*invoke)(ErasedHandler handler, void* self, Frame& frame) = nullptr;

    HRESULT Call(void* self, Frame& frame) const { return invoke(handler, self, frame); }
};

// A typed table row for class T: handlers receive the object and the typed frame.
template <class T>
struct Member {
    std::u16string_view name;
    DISPID id;
    MemberKind kind;
    std::vector<Param> params;
    VARTYPE result;
    HRESULT (*call)(T& self, Frame& frame);
};

template <class T>
MemberInfo ToMemberInfo(const Member<T>& m) {
    using Handler = HRESULT (*)(T&, Frame&);
    // Casting a function pointer to another function pointer type and back is exact.
    return MemberInfo{m.name,
                      m.id,
                      m.kind,
                      m.params,
                      m.result,
                      reinterpret_cast<ErasedHandler>(m.call),
                      [](ErasedHandler handler, void* self, Frame& frame) {
                          return reinterpret_cast<Handler>(handler)(*static_cast<T*>(self), frame);
                      }};
}

// Case-insensitive comparison of member names, as the platform matches them.
inline bool SameMemberName(std::u16string_view a, std::u16string_view b) {
    return EqualsIgnoringCase(a, b);
}

class MUNDOR_API DispatchTableBase {
  public:
    explicit DispatchTableBase(std::vector<MemberInfo> members);
    // The DISPID index points into the members.
    DispatchTableBase(const DispatchTableBase&) = delete;
    DispatchTableBase& operator=(const DispatchTableBase&) = delete;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    // `lifetime` is the object's own IUnknown: held while a method or a property write runs, so
    // that a member that drops the last outside reference does not pull the object from under
    // itself. A property read cannot, and is spared the two atomic counts.
    HRESULT Invoke(void* self, IUnknown* lifetime, DISPID id, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) const;
    const std::vector<MemberInfo>& members() const { return members_; }

  private:
    const MemberInfo* Find(DISPID id, WORD flags) const;
    const MemberInfo* Scan(DISPID id, WORD flags) const;
    const MemberInfo* FindByName(const OLECHAR* name) const;
    void IndexNames();
    void IndexIds();

    std::vector<MemberInfo> members_;
    // An open-addressing index of the members' case-folded names: each slot holds 1 + the index
    // of the member a name resolves to, or 0 when empty. Built once with the table.
    std::vector<std::uint32_t> nameSlots_;
    std::vector<std::u16string> foldedNames_;  // each member's name, case-folded
    // The members by DISPID, for the small non-negative DISPIDs tables use: the property write,
    // and the one member a read or a call reaches (`several` when a method and a property read
    // share the DISPID, and the call's flags must choose). Left empty for a table with larger
    // DISPIDs, which are then searched in order.
    struct IdSlots {
        const MemberInfo* read = nullptr;
        const MemberInfo* put = nullptr;
        bool several = false;
    };
    static constexpr DISPID kMaxIndexedId = 4096;
    std::vector<IdSlots> byId_;
    std::uint32_t indexedIds_ = 0;  // byId_.size(), kept apart from the vector's own arithmetic
};

// A typed table for class T, from rows whose handlers receive the object and the typed frame.
template <class T>
class DispatchTable : public DispatchTableBase {
  public:
    DispatchTable(std::initializer_list<Member<T>> members) : DispatchTableBase(Convert(members)) {}

  private:
    static std::vector<MemberInfo> Convert(std::initializer_list<Member<T>> members) {
        std::vector<MemberInfo> out;
        out.reserve(members.size());
        for (const Member<T>& m : members) out.push_back(ToMemberInfo(m));
        return out;
    }
};

}  // namespace mundor::rt
