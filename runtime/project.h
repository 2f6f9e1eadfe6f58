// What a component library tells the runtime about itself, and the runtime services that its
// four exports and its load entry point hand their work to.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "runtime/com_types.h"
#include "runtime/export.h"
#include "runtime/object.h"

namespace mundor::rt {

struct ClassDescriptor {
    CLSID clsid;
    const char* progId;
    const char* description;
    CreateInstanceFn create;
};

struct TypeLibDescriptor {
    GUID libid;
    const char* name;
    WORD major;
    WORD minor;
    LCID lcid;
};

struct ProjectDescriptor {
    const char* projectName;  // also the application title
    TypeLibDescriptor typeLib;
    std::span<const ClassDescriptor> classes;
    ModuleLifetime* lifetime;
    const void* anchor;  // any address inside the library: finds its file through dladdr
};

MUNDOR_API HRESULT RegisterServer(const ProjectDescriptor& project);
MUNDOR_API HRESULT UnregisterServer(const ProjectDescriptor& project);
MUNDOR_API HRESULT GetClassObject(const ProjectDescriptor& project, REFCLSID clsid, REFIID riid,
                                  void** ppv);
MUNDOR_API HRESULT CanUnloadNow(const ProjectDescriptor& project);
// The library's load and unload entry points: the runtime learns of (and forgets) the library.
MUNDOR_API void AttachLibrary(const ProjectDescriptor& project);
MUNDOR_API void DetachLibrary(const ProjectDescriptor& project);
// A component library that is loaded in this process, found by its project name.
MUNDOR_API const ProjectDescriptor* FindLoadedProject(std::string_view projectName);

// The name a library file is registered under: the shortest versioned name beside it that is
// the same file (its SONAME link, libmundor.so.0.9 for libmundor.so.0.9.0.10), so that the
// registration outlives an update that replaces the file by a newer one of the same interface;
// the file itself when there is none.
MUNDOR_API std::string RegisteredLibraryPath(const std::string& file);

// The file a loaded library was loaded from (absolute path), found through its anchor address.
MUNDOR_API std::string LibraryFileOf(const void* anchor);

}  // namespace mundor::rt
