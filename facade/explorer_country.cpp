// ExplorerCountry: opens the geography browser over this instance and returns once the user has
// closed it. Catches nothing: a failure to create or show the window, or one that escapes its
// load, reaches the host as the call's error, and the window goes as the call unwinds.
#include "browser/brw_paises.h"
#include "facade/component.h"
#include "facade/mundor_fx.h"
#include "runtime/error.h"

namespace mundor {

HRESULT MundorFx::ExplorerCountry() {
    return rt::Guard([&] {
        browser::BrwPaises brwPaises(ThisApp());
        // Before the show: the browser fills its tree through this instance while it loads.
        brwPaises.SetThisFx(rt::Ref<IDispatch>(this));
        brwPaises.ShowModal();
        brwPaises.Unload();
    });
}

}  // namespace mundor
