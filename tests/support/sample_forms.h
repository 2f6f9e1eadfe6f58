// The forms and the sample tree the toolkits' tests share, the same on every toolkit: the
// component's own country dialog and browser, under a name of the test's choosing.
#pragma once

#include <string>
#include <vector>

#include "contracts/ui/ui.h"

namespace mundor::ui::testing {

// dlgPais as "dlgPrueba": the code (max 8, upper case), area-code (title 70%) and name fields,
// OK and Cancel buttons and the module banner (its module "Form/dlgPais"); 4440 x 1815 twips,
// centred on its owner.
FormDefinition SampleDialogForm(std::u16string name = u"dlgPrueba");

// brwPaises as "brwPrueba": close button, tree, the three-button array cmdAction, modify and
// delete buttons and the module banner; 3960 x 5910 twips, centred on the screen.
FormDefinition SampleBrowserForm(std::u16string name = u"brwPrueba");

// The sample tree: "(52) México" (key SysMX) with a placeholder child, then "(34) España"
// (SysES) with nothing below it. Returns México.
NodeRef AddSampleCountries(TreeNodes& nodes);
// What an Expand handler does with it, as the browser does: the first time a node opens, its
// placeholder gives way to Jalisco (EDOJAL) and Colima (EDOCOL).
void LoadSampleStates(Tree& expanded, const NodeRef& node);

// The application object of the component under test, as far as message boxes need it.
rt::AppObject SampleApp();

// What typing a text into the empty code field of the sample dialog leaves in it, the same on
// every toolkit: cut to eight units without splitting a character, in upper case.
struct Typing {
    std::u16string typed;
    std::u16string left;
};
const std::vector<Typing>& CodeFieldTypings();

}  // namespace mundor::ui::testing
