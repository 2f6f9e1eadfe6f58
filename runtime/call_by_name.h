// Late-bound calls from C++: CallByName(obj, "Nombre", CallType::Get) and friends, with the
// platform's argument passing: a Variant lvalue goes by reference (the callee may write it
// back), anything else by value.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <type_traits>

#include "runtime/com_types.h"
#include "runtime/export.h"
#include "runtime/variant.h"

namespace mundor::rt {

enum class CallType : WORD {
    Method = DISPATCH_METHOD,
    Get = DISPATCH_PROPERTYGET,
    Let = DISPATCH_PROPERTYPUT,
    Set = DISPATCH_PROPERTYPUTREF,
};

struct CallArg {
    Variant value;              // by value
    Variant* target = nullptr;  // by reference: the caller's variable
};

inline CallArg MakeCallArg(Variant& variable) {
    return CallArg{Variant(), &variable};
}
template <class T>
requires(!std::is_same_v<std::remove_cvref_t<T>, Variant> || !std::is_lvalue_reference_v<T> ||
         std::is_const_v<std::remove_reference_t<T>>) CallArg MakeCallArg(T&& value) {
    return CallArg{Variant(std::forward<T>(value)), nullptr};
}

// Raises the callee's run-time error (or the platform's error for a failed dispatch); an empty
// object raises error 91.
MUNDOR_API Variant CallByNameArgs(IDispatch* object, std::u16string_view name, CallType type,
                                  std::span<CallArg> args);

template <class... Args>
Variant CallByName(IDispatch* object, std::u16string_view name, CallType type, Args&&... args) {
    std::array<CallArg, sizeof...(Args)> callArgs{MakeCallArg(std::forward<Args>(args))...};
    return CallByNameArgs(object, name, type, callArgs);
}

// The DISPID a name has on an object; raises error 438 when the object has no such member.
MUNDOR_API DISPID DispIdOf(IDispatch* object, std::u16string_view name);

// The same call with the member's DISPID already looked up on that object (DispIdOf), for a
// client that calls one member of one object many times: a DISPID stays valid for the object's
// life.
MUNDOR_API Variant CallByDispIdArgs(IDispatch* object, DISPID id, CallType type,
                                    std::span<CallArg> args);

template <class... Args>
Variant CallByDispId(IDispatch* object, DISPID id, CallType type, Args&&... args) {
    std::array<CallArg, sizeof...(Args)> callArgs{MakeCallArg(std::forward<Args>(args))...};
    return CallByDispIdArgs(object, id, type, callArgs);
}

}  // namespace mundor::rt
