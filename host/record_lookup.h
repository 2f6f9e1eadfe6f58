// Picks a record for the members that take an object: a new record object of the level, created
// through the class registry, loaded by key over the catalog's connection.
#pragma once

#include "contracts/data_objects.h"
#include "host/catalog_level.h"
#include "runtime/ref.h"

namespace mundor::host {

// Empty when no record of that level has the key.
rt::Ref<IDispatch> LoadRecordByKey(Level level, nubex::Catalog& catalog, LONG key);

// The object a member's Obj gets when the user names it by key: Nothing for key 0, otherwise the
// loaded record. A key that loads nothing raises the "no current record" error (3021).
rt::Ref<IDispatch> ChooseRecord(Level level, nubex::Catalog& catalog, LONG key);

}  // namespace mundor::host
