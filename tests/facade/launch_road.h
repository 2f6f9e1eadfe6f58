// The six launchers and the six deletes as a host calls them, by either road: through the typed
// vtable of _MundorFx, or by name through IDispatch with the host's own Variant variables passed
// by reference. Either way the caller's Obj variable ends up holding what the member left in it,
// also when the call fails, and the result comes back as the Variant the member answered.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "browser_fixture.h"
#include "facade/mundor_fx_interface.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/ref.h"
#include "runtime/variant.h"

namespace mundor::testing {

enum class Level { Pais, EdoProv, Ciudad };

// "Pais", "EdoProv", "Ciudad": what follows "dlg" and "Del" in the members' names.
inline std::u16string LevelName(Level level) {
    constexpr const char16_t* kNames[] = {u"Pais", u"EdoProv", u"Ciudad"};
    return kNames[static_cast<int>(level)];
}

namespace road {

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

// Runs a typed delete; a failure must still answer False.
template <class Arg, class Member>
bool TypedDelete(_MundorFx* fx, Member member, Arg* objOrKey, std::optional<short> ask) {
    VARIANT_BOOL askValue = ask.value_or(0);
    VARIANT_BOOL result = VARIANT_TRUE;
    const HRESULT hr = (fx->*member)(objOrKey, ask ? &askValue : nullptr, &result);
    if (FAILED(hr) && result != VARIANT_FALSE) throw std::logic_error("failed answering True");
    rt::ThrowIfFailed(hr);
    return result != VARIANT_FALSE;
}

template <class Record, class ByObject, class ByKey>
bool TypedDelete(_MundorFx* fx, ByObject byObject, ByKey byKey, const rt::Ref<IDispatch>* obj,
                 LONG key, std::optional<short> ask) {
    if (!obj) {
        LONG given = key;
        const bool deleted = TypedDelete(fx, byKey, &given, ask);
        if (given != key) throw std::logic_error("the caller's key changed");
        return deleted;
    }
    rt::Ref<Record> typed = obj->As<Record>();
    const bool deleted = TypedDelete(fx, byObject, typed.slot(), ask);
    if (typed.get() != obj->As<Record>().get()) throw std::logic_error("the caller's Obj changed");
    return deleted;
}

}  // namespace road

class LaunchRoad {
  public:
    LaunchRoad(_MundorFx* fx, browser_test::HostCall road) : fx_(fx), road_(road) {}

    // dlgPais(Obj) / dlgEdoProv(Obj, Fk) / dlgCiudad(Obj, FkEstado). A null `obj` leaves the
    // argument out; an omitted parent key too. Raises the member's error.
    rt::Variant Launch(Level level, rt::Ref<IDispatch>* obj,
                       std::optional<LONG> parentKey = std::nullopt) {
        return road_ == browser_test::HostCall::Typed ? ByVtable(level, obj, parentKey)
                                                      : ByName(level, obj, parentKey);
    }

    // dlgPais_BySysPK(Sys_PK) and its kin; no key leaves the argument out.
    rt::Variant LaunchByKey(Level level, std::optional<LONG> key = std::nullopt) {
        const std::u16string name = u"dlg" + LevelName(level) + u"_BySysPK";
        if (road_ == browser_test::HostCall::ByName) {
            if (!key) return rt::CallByName(fx_, name, rt::CallType::Method);
            rt::Variant variable(*key);
            rt::Variant result = rt::CallByName(fx_, name, rt::CallType::Method, variable);
            if (variable != rt::Variant(*key)) throw std::logic_error("the caller's key changed");
            return result;
        }
        static constexpr HRESULT (_MundorFx::*kByKey[])(LONG*, VARIANT*) = {
            &_MundorFx::dlgPais_BySysPK, &_MundorFx::dlgEdoProv_BySysPK,
            &_MundorFx::dlgCiudad_BySysPK};
        LONG value = key.value_or(0);
        rt::Variant result;
        const auto launcher = kByKey[static_cast<int>(level)];
        rt::ThrowIfFailed((fx_->*launcher)(key ? &value : nullptr, result.put()));
        return result;
    }

    // DelPais(Obj, Ask) / DelPais_BySysPK(Sys_PK, Ask) and their kin; no `ask` leaves it out
    // (by name it goes as a Long). Raises the member's error; throws std::logic_error should a
    // member change the caller's variable, answer other than a Boolean, or fail answering True.
    bool Delete(Level level, const rt::Ref<IDispatch>& obj, std::optional<short> ask = {}) {
        return ByRoad(level, &obj, 0, ask);
    }
    bool DeleteByKey(Level level, LONG key, std::optional<short> ask = {}) {
        return ByRoad(level, nullptr, key, ask);
    }

  private:
    rt::Variant ByVtable(Level level, rt::Ref<IDispatch>* obj, std::optional<LONG> parentKey) {
        LONG key = parentKey.value_or(0);
        LONG* fk = parentKey ? &key : nullptr;
        switch (level) {
            case Level::Pais:
                return road::Typed<nubex::Pais>(
                    obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgPais(o, r); });
            case Level::EdoProv:
                return road::Typed<nubex::EdoProv>(
                    obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgEdoProv(o, fk, r); });
            case Level::Ciudad:
                break;
        }
        return road::Typed<nubex::Ciudad>(
            obj, [&](auto** o, VARIANT_BOOL* r) { return fx_->dlgCiudad(o, fk, r); });
    }

    // The host's variables: an object Variant (by reference) and the key (by reference).
    rt::Variant ByName(Level level, rt::Ref<IDispatch>* obj, std::optional<LONG> parentKey) {
        rt::Variant variable = obj ? rt::Variant(*obj) : rt::Variant::Missing();
        rt::Variant key = parentKey ? rt::Variant(*parentKey) : rt::Variant::Missing();
        std::vector<rt::CallArg> args;
        if (obj || parentKey) args.push_back(rt::MakeCallArg(variable));
        if (parentKey) args.push_back(rt::MakeCallArg(key));
        try {
            rt::Variant result =
                rt::CallByNameArgs(fx_, u"dlg" + LevelName(level), rt::CallType::Method, args);
            if (obj) *obj = variable.AsDispatch();
            return result;
        } catch (...) {
            if (obj) *obj = variable.AsDispatch();
            throw;
        }
    }

    bool ByRoad(Level level, const rt::Ref<IDispatch>* obj, LONG key, std::optional<short> ask) {
        if (road_ == browser_test::HostCall::ByName) {
            rt::Variant variable = obj ? rt::Variant(*obj) : rt::Variant(key);
            const rt::Variant before = variable;
            rt::Variant askValue(LONG{ask.value_or(0)});
            std::vector<rt::CallArg> args{rt::MakeCallArg(variable)};
            if (ask) args.push_back(rt::MakeCallArg(askValue));
            const rt::Variant result =
                rt::CallByNameArgs(fx_, u"Del" + LevelName(level) + (obj ? u"" : u"_BySysPK"),
                                   rt::CallType::Method, args);
            if (variable != before) throw std::logic_error("the caller's variable changed");
            if (result.vt() != VT_BOOL) throw std::logic_error("the answer is not a Boolean");
            return result.AsBool();
        }
        switch (level) {
            case Level::Pais:
                return road::TypedDelete<nubex::Pais>(fx_, &_MundorFx::DelPais,
                                                      &_MundorFx::DelPais_BySysPK, obj, key, ask);
            case Level::EdoProv:
                return road::TypedDelete<nubex::EdoProv>(
                    fx_, &_MundorFx::DelEdoProv, &_MundorFx::DelEdoProv_BySysPK, obj, key, ask);
            case Level::Ciudad:
                break;
        }
        return road::TypedDelete<nubex::Ciudad>(fx_, &_MundorFx::DelCiudad,
                                                &_MundorFx::DelCiudad_BySysPK, obj, key, ask);
    }

    _MundorFx* fx_;
    browser_test::HostCall road_;
};

}  // namespace mundor::testing
