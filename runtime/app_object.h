// The application object of a loaded component library: its title, folder, file name and version
// parts, as the platform reports them to the component's own code.
#pragma once

#include <string>

#include "runtime/com_types.h"
#include "runtime/export.h"
#include "runtime/project.h"

namespace mundor::rt {

struct AppObject {
    std::u16string Title;
    std::u16string Path;     // the library's folder, without a trailing separator
    std::u16string EXEName;  // the library's file name without its extension
    WORD Major = 0;
    WORD Minor = 0;
    WORD Revision = 0;
};

// The application object of the library that the project descriptor describes.
MUNDOR_API AppObject ApplicationOf(const ProjectDescriptor& project);

}  // namespace mundor::rt
