// Writes the component's own identity into a window's module-information banner: its file name
// with the extension found on disk, its folder and its version text.
#pragma once

#include <string>

#include "contracts/ui/controls.h"
#include "runtime/app_object.h"

namespace mundor::common {

// Sets the banner's `Nombre`, `Ubicacion` and `Version`, by name, in that order, from `app`
// (the component's application object). Handles no error: a folder that cannot be listed or a
// banner that refuses a property raises in the caller, and what was set before stays set.
void FillModuleIdentity(const rt::AppObject& app, ui::ModuleBanner& banner);

// "major.minor.0.revision": the third place is always 0, no build number is kept.
std::u16string VersionText(const rt::AppObject& app);

}  // namespace mundor::common
