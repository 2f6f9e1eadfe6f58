// The members of Mundor.MundorFx as the host calls them, by one of two roads: through the typed
// vtable of _MundorFx (the client wrapper) or by name through IDispatch (CallByName). Both give
// back what the member returned as a Variant, so the window shows its kind exactly; a failure
// comes back as rt::RuntimeError.
#pragma once

#include <memory>
#include <string>

#include "contracts/data_objects.h"
#include "facade/mundor_client.h"
#include "host/catalog_level.h"
#include "runtime/ref.h"
#include "runtime/variant.h"

namespace mundor::host {

class FxMembers {
  public:
    virtual ~FxMembers() = default;

    virtual rt::Variant GetLastErrorCode() = 0;
    virtual void LetLastErrorCode(LONG value) = 0;
    virtual rt::Variant GetLastErrorDescrip() = 0;
    virtual void LetLastErrorDescrip(const std::u16string& text) = 0;
    virtual rt::Variant GetDataObjects() = 0;
    virtual void SetDataObjects(const rt::Ref<nubex::Catalog>& catalog) = 0;
    virtual void ExplorerCountry() = 0;

    // `record` goes in and out, as the member's Obj does: empty is Nothing, and an add leaves
    // the new record there. `parentKey` is ignored for a country.
    virtual rt::Variant Launch(Level level, rt::Ref<IDispatch>& record, LONG parentKey) = 0;
    virtual rt::Variant LaunchByKey(Level level, LONG key) = 0;
    virtual rt::Variant Remove(Level level, rt::Ref<IDispatch>& record, bool ask) = 0;
    virtual rt::Variant RemoveByKey(Level level, LONG key, bool ask) = 0;
};

std::unique_ptr<FxMembers> TypedMembers(MundorClient fx);
std::unique_ptr<FxMembers> MembersByName(rt::Ref<IDispatch> fx);

}  // namespace mundor::host
