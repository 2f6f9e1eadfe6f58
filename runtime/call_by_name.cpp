#include "runtime/call_by_name.h"

#include <array>
#include <vector>

#include "runtime/error.h"

namespace mundor::rt {

namespace {

// Arguments of the usual few go on the stack; more take the heap.
constexpr std::size_t kInlineArgs = 8;
// Member names of the usual length are terminated on the stack.
constexpr std::size_t kInlineName = 64;

}  // namespace

DISPID DispIdOf(IDispatch* object, std::u16string_view name) {
    if (!object) RaiseObjectNotSet();
    std::array<OLECHAR, kInlineName> inlineName;
    std::u16string longName;
    OLECHAR* text = inlineName.data();
    if (name.size() < kInlineName) {
        name.copy(text, name.size());
        text[name.size()] = u'\0';
    } else {
        longName.assign(name);
        text = longName.data();
    }
    LPOLESTR names[] = {text};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id);
    if (FAILED(hr)) Raise(ErrorNumberForDispatchFailure(hr));
    return id;
}

Variant CallByNameArgs(IDispatch* object, std::u16string_view name, CallType type,
                       std::span<CallArg> args) {
    return CallByDispIdArgs(object, DispIdOf(object, name), type, args);
}

Variant CallByDispIdArgs(IDispatch* object, DISPID id, CallType type, std::span<CallArg> args) {
    if (!object) RaiseObjectNotSet();
    // Arguments travel last first; a by-reference argument points at the caller's Variant.
    std::array<VARIANT, kInlineArgs> inlineSlots;
    std::vector<VARIANT> heapSlots(args.size() > kInlineArgs ? args.size() : 0);
    VARIANT* slots = heapSlots.empty() ? inlineSlots.data() : heapSlots.data();
    for (std::size_t i = 0; i < args.size(); ++i) {
        VARIANT& slot = slots[args.size() - 1 - i];
        VariantInit(&slot);
        if (args[i].target) {
            slot.vt = VT_BYREF | VT_VARIANT;
            slot.pvarVal = args[i].target->get();
        } else {
            slot = args[i].value.raw();  // borrowed: the CallArg keeps ownership
        }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = type == CallType::Let || type == CallType::Set;
    DISPPARAMS params{slots, put ? &putId : nullptr, static_cast<UINT>(args.size()), put ? 1u : 0u};
    WORD flags = static_cast<WORD>(type);
    if (type == CallType::Method || type == CallType::Get) {
        flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    }
    Variant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, 0x409, flags, &params,
                                      put ? nullptr : result.get(), &excep, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
        RuntimeError error = ErrorFromExcepInfo(excep);
        ClearExcepInfo(&excep);
        throw error;
    }
    ClearExcepInfo(&excep);
    if (FAILED(hr)) Raise(ErrorNumberForDispatchFailure(hr));
    return result;
}

}  // namespace mundor::rt
