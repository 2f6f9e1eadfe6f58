// The main window's commands on one place, each done through the component's public members on
// the window's MundorFx: a new country, state or city (dlgPais, dlgEdoProv, dlgCiudad with an
// empty Obj and the parent's key), a change (the same launchers with the loaded record and its
// own parent's key), a delete (DelPais, DelEdoProv, DelCiudad, which ask the user first) and the
// browser (ExplorerCountry). Failures the component lets through reach the caller as
// rt::RuntimeError.
#pragma once

#include <optional>
#include <string>

#include "contracts/data_objects.h"
#include "host/catalog_level.h"
#include "host/fx_members.h"
#include "nubex/search.h"
#include "runtime/ref.h"

namespace mundor::host {

// What a command left behind, for the window to follow.
struct CommandResult {
    enum class Kind {
        kSaved,      // added or changed: `level`, `key` and `name` say which place
        kDeleted,    // the place is gone
        kUnchanged,  // cancelled, answered No, or refused (the component's box said why)
        kGone,       // the place was no longer in the catalog; nothing was called
    };
    Kind kind = Kind::kUnchanged;
    Level level = Level::kPais;
    LONG key = 0;
    std::u16string name;
};

// The parent a new place of `level` goes under, taken from the selected search hit: a state
// goes to the selected country, or to the country of the selected state or city; a city to
// the selected state, or to the state of the selected city. None when the selection gives no
// parent (nothing selected, or a city asked of a country); 0 for a country, which has none.
std::optional<LONG> ParentForNew(Level level, const nubex::SearchHit* selected);

class PlaceCommands {
  public:
    PlaceCommands(FxMembers& fx, rt::Ref<nubex::Catalog> catalog);

    CommandResult Add(Level level, LONG parentKey);
    CommandResult Modify(Level level, LONG key);
    CommandResult Delete(Level level, LONG key);
    void Explore();

  private:
    FxMembers& fx_;
    rt::Ref<nubex::Catalog> catalog_;
};

}  // namespace mundor::host
