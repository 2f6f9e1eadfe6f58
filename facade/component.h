// The component library's identity for the runtime: its project descriptor and lifetime count.
#pragma once

#include "runtime/app_object.h"
#include "runtime/project.h"

namespace mundor {

rt::ModuleLifetime& ThisModule();
const rt::ProjectDescriptor& MundorProject();
// The component's own application object (title "Mundor", folder, file name, version parts).
rt::AppObject ThisApp();

}  // namespace mundor
