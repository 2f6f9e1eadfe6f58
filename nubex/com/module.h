// The library as the runtime sees it: its count of live objects and its project descriptor
// (classes, ProgIDs, type library) that the four exports hand to the runtime.
#pragma once

#include "runtime/object.h"
#include "runtime/project.h"

namespace nubex::com {

mundor::rt::ModuleLifetime& Module();
const mundor::rt::ProjectDescriptor& Project();

}  // namespace nubex::com
