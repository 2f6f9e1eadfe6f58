#include "launch_road.h"

#include <stdexcept>
#include <vector>

#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::testing {

namespace {

// Runs a typed launcher on a typed copy of the caller's variable and copies it back whatever
// the outcome, as the variable itself would have been written through the vtable.
template <class Record, class Call>
rt::Variant Typed(rt::Ref<IDispatch>* obj, Call call) {
    rt::Ref<Record> typed = obj ? obj->As<Record>() : rt::Ref<Record>();
    VARIANT_BOOL result = VARIANT_FALSE;
    const HRESULT hr = call(obj ? typed.slot() : nullptr, &result);
    if (obj) *obj = typed;
    rt::ThrowIfFailed(hr);
    return rt::Variant(result != VARIANT_FALSE);
}

}  // namespace

std::u16string LauncherName(Level level) {
    switch (level) {
        case Level::Pais:
            return u"dlgPais";
        case Level::EdoProv:
            return u"dlgEdoProv";
        case Level::Ciudad:
            return u"dlgCiudad";
    }
    return u"";
}

rt::Variant LaunchRoad::Launch(Level level, rt::Ref<IDispatch>* obj,
                               std::optional<LONG> parentKey) {
    return road_ == Road::Vtable ? ByVtable(level, obj, parentKey) : ByName(level, obj, parentKey);
}

rt::Variant LaunchRoad::ByVtable(Level level, rt::Ref<IDispatch>* obj,
                                 std::optional<LONG> parentKey) {
    LONG key = parentKey.value_or(0);
    LONG* fk = parentKey ? &key : nullptr;
    switch (level) {
        case Level::Pais:
            return Typed<nubex::Pais>(
                obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgPais(o, r); });
        case Level::EdoProv:
            return Typed<nubex::EdoProv>(
                obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgEdoProv(o, fk, r); });
        case Level::Ciudad:
            return Typed<nubex::Ciudad>(
                obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgCiudad(o, fk, r); });
    }
    return {};
}

rt::Variant LaunchRoad::ByName(Level level, rt::Ref<IDispatch>* obj,
                               std::optional<LONG> parentKey) {
    // The host's variables: an object Variant (by reference) and the key (by reference).
    rt::Variant variable = obj ? rt::Variant(*obj) : rt::Variant::Missing();
    rt::Variant key = parentKey ? rt::Variant(*parentKey) : rt::Variant::Missing();
    std::vector<rt::CallArg> args;
    if (obj || parentKey) args.push_back(rt::MakeCallArg(variable));
    if (parentKey) args.push_back(rt::MakeCallArg(key));
    try {
        rt::Variant result =
            rt::CallByNameArgs(fx_, LauncherName(level), rt::CallType::Method, args);
        if (obj) *obj = variable.AsDispatch();
        return result;
    } catch (...) {
        if (obj) *obj = variable.AsDispatch();
        throw;
    }
}

rt::Variant LaunchRoad::LaunchByKey(Level level, std::optional<LONG> key) {
    const std::u16string name = LauncherName(level) + u"_BySysPK";
    if (road_ == Road::ByName) {
        if (!key) return rt::CallByName(fx_, name, rt::CallType::Method);
        rt::Variant variable(*key);
        rt::Variant result = rt::CallByName(fx_, name, rt::CallType::Method, variable);
        if (variable != rt::Variant(*key)) throw std::logic_error("the caller's key changed");
        return result;
    }
    LONG value = key.value_or(0);
    LONG* sysPk = key ? &value : nullptr;
    rt::Variant result;
    switch (level) {
        case Level::Pais:
            rt::ThrowIfFailed(fx_->dlgPais_BySysPK(sysPk, result.put()));
            break;
        case Level::EdoProv:
            rt::ThrowIfFailed(fx_->dlgEdoProv_BySysPK(sysPk, result.put()));
            break;
        case Level::Ciudad:
            rt::ThrowIfFailed(fx_->dlgCiudad_BySysPK(sysPk, result.put()));
            break;
    }
    return result;
}

}  // namespace mundor::testing
