// The six launchers and the six deletes as a host calls them, by either road: through the typed
// vtable of _MundorFx, or by name through IDispatch with the host's own Variant variables passed
// by reference. Either way the caller's Obj variable ends up holding what the member left in it,
// also when the call fails, and the result comes back as the Variant the member answered.
#pragma once

#include <optional>
#include <string>

#include "facade/mundor_fx_interface.h"
#include "runtime/ref.h"
#include "runtime/variant.h"

namespace mundor::testing {

enum class Level { Pais, EdoProv, Ciudad };
enum class Road { Vtable, ByName };

class LaunchRoad {
  public:
    LaunchRoad(_MundorFx* fx, Road road) : fx_(fx), road_(road) {}

    // dlgPais(Obj) / dlgEdoProv(Obj, Fk) / dlgCiudad(Obj, FkEstado). A null `obj` leaves the
    // argument out; an omitted parent key too. Raises the member's error.
    rt::Variant Launch(Level level, rt::Ref<IDispatch>* obj,
                       std::optional<LONG> parentKey = std::nullopt);
    // dlgPais_BySysPK(Sys_PK) and its kin; no key leaves the argument out.
    rt::Variant LaunchByKey(Level level, std::optional<LONG> key = std::nullopt);
    // DelPais(Obj, Ask) / DelPais_BySysPK(Sys_PK, Ask) and their kin; no `ask` leaves it out
    // (by name it goes as a Long). Raises the member's error; throws std::logic_error should a
    // member change the caller's variable, answer other than a Boolean, or fail answering True.
    bool Delete(Level level, const rt::Ref<IDispatch>& obj, std::optional<short> ask = {});
    bool DeleteByKey(Level level, LONG key, std::optional<short> ask = {});

  private:
    rt::Variant ByVtable(Level level, rt::Ref<IDispatch>* obj, std::optional<LONG> parentKey);
    rt::Variant ByName(Level level, rt::Ref<IDispatch>* obj, std::optional<LONG> parentKey);
    bool ByRoad(Level level, const rt::Ref<IDispatch>* obj, LONG key, std::optional<short> ask);

    _MundorFx* fx_;
    Road road_;
};

// "Pais", "EdoProv", "Ciudad"; the launcher's name, which is also its window's, is "dlg" and it.
std::u16string LevelName(Level level);
std::u16string LauncherName(Level level);

}  // namespace mundor::testing
