// Dispatch by name: a member table serves IDispatch::GetIDsOfNames and IDispatch::Invoke for an
// object whose typed interface is already written. Each member lists its parameters; Invoke
// coerces the caller's arguments into typed slots, fills omitted optional ones, calls the typed
// member, writes by-reference arguments back (also when the member fails, as a vtable caller's
// variables keep what the member left in them) and hands out the result.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/com_types.h"
#include "runtime/export.h"
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

// The typed slots of one call: parameters in declared order and the result.
class MUNDOR_API Frame {
  public:
    Frame(std::size_t params, VARTYPE resultType);
    ~Frame();
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
    // Members take a handful of parameters: their slots live in the frame itself, so that a call
    // by name allocates nothing of its own; a longer list goes to the heap.
    static constexpr std::size_t kInlineSlots = 6;
    VARIANT inline_[kInlineSlots];
    std::unique_ptr<VARIANT[]> heap_;
    VARIANT* args_;
    std::size_t size_;
    VARIANT result_;
};

struct MemberInfo {
    std::u16string_view name;
    DISPID id;
    MemberKind kind;
    std::vector<Param> params;
    VARTYPE result = VT_EMPTY;  // VT_EMPTY: no result
    std::function<HRESULT(void* self, Frame& frame)> call;
};

// Case-insensitive comparison of member names, as the platform matches them.
MUNDOR_API bool SameMemberName(std::u16string_view a, std::u16string_view b);

class MUNDOR_API DispatchTableBase {
  public:
    explicit DispatchTableBase(std::vector<MemberInfo> members);
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    // `lifetime` is the object's own IUnknown: held while a method or a property write runs, so
    // that a member that drops the last outside reference does not pull the object from under
    // itself. A property read cannot, and is spared the two atomic counts.
    HRESULT Invoke(void* self, IUnknown* lifetime, DISPID id, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) const;
    const std::vector<MemberInfo>& members() const { return members_; }

  private:
    const MemberInfo* Find(DISPID id, WORD flags) const;
    const MemberInfo* FindByName(const OLECHAR* name) const;
    void IndexNames();

    std::vector<MemberInfo> members_;
    // An open-addressing index of the members' case-folded names: each slot holds 1 + the index
    // of the member a name resolves to, or 0 when empty. Built once with the table.
    std::vector<std::uint32_t> nameSlots_;
};

// A typed table for class T: handlers receive the object and the typed frame.
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
class DispatchTable : public DispatchTableBase {
  public:
    DispatchTable(std::initializer_list<Member<T>> members) : DispatchTableBase(Convert(members)) {}

  private:
    static std::vector<MemberInfo> Convert(std::initializer_list<Member<T>> members) {
        std::vector<MemberInfo> out;
        out.reserve(members.size());
        for (const Member<T>& m : members) {
            auto call = m.call;
            out.push_back(MemberInfo{
                m.name, m.id, m.kind, m.params, m.result,
                [call](void* self, Frame& f) { return call(*static_cast<T*>(self), f); }});
        }
        return out;
    }
};

}  // namespace mundor::rt
