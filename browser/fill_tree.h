// The first fill of the geography tree: every country of the catalog as a root node, each with a
// placeholder child, in the order of the country view's rows.
#pragma once

#include "contracts/ui/tree.h"
#include "runtime/app_object.h"
#include "runtime/com_types.h"

namespace mundor::browser {

// Clears `tvw` and adds the countries of ThisFx.DataObjects.V_Pais. Every error raised on the
// way is shown in the fill's own message box (OK only, no icon, the application title of `app`)
// and the fill carries on with the next step: a refused row leaves only its message, and the rows
// after it are still added. When the country view itself cannot be had, or its cursor cannot
// report its end or move on, the fill shows that error once and stops, rather than repeat it
// without end.
void FillLvw(const rt::AppObject& app, IDispatch* thisFx, ui::Tree& tvw);

}  // namespace mundor::browser
