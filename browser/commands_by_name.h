// The calls the browser's commands make, all by member name as a late-bound client makes them:
// the facade's launchers and deletes on ThisFx, and what the commands read of a record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "browser/node_scheme.h"
#include "runtime/com_types.h"
#include "runtime/ref.h"
#include "runtime/variant.h"

namespace mundor::browser {

// ThisFx.dlgPais(Obj), .dlgEdoProv(Obj, Fk) or .dlgCiudad(Obj, FkEstado), by the level; a country
// takes no parent key. `obj` is the caller's variable, passed by reference: Nothing for an add
// (the saved record comes back in it) or the loaded record for a change. True: saved.
bool LaunchDialog(IDispatch* thisFx, NodeLevel level, rt::Variant& obj,
                  std::optional<LONG> parentKey);

// ThisFx.DelPais(Obj), .DelEdoProv(Obj) or .DelCiudad(Obj), with no Ask: the facade's default
// asks the user to confirm. True: the record is gone.
bool DeleteThroughFacade(IDispatch* thisFx, NodeLevel level, rt::Variant& obj);

// A new record of the level, loaded from a node's key: the level's prefix taken out of the key
// gives the Sys_GUID (node_scheme.h). The load's result is not looked at.
rt::Ref<IDispatch> LoadFromKey(IDispatch* thisFx, NodeLevel level, std::u16string_view key);

// The Sys_PK of a loaded record's parent: a state's IPais, a city's Estado.
LONG ParentSysPkOf(NodeLevel level, IDispatch* record);

// What a node of the level shows for a record, and the key it goes under.
std::u16string NodeTextOf(NodeLevel level, IDispatch* record);
std::u16string NodeKeyOf(NodeLevel level, IDispatch* record);

}  // namespace mundor::browser
