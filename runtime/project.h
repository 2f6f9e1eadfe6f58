// What a component library tells the runtime about itself, and the runtime services that its
// four exports and its load entry point hand their work to.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "runtime/com_types.h"
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

HRESULT RegisterServer(const ProjectDescriptor& project);
HRESULT UnregisterServer(const ProjectDescriptor& project);
HRESULT GetClassObject(const ProjectDescriptor& project, REFCLSID clsid, REFIID riid, void** ppv);
HRESULT CanUnloadNow(const ProjectDescriptor& project);
// The library's load and unload entry points: the runtime learns of (and forgets) the library.
void AttachLibrary(const ProjectDescriptor& project);
void DetachLibrary(const ProjectDescriptor& project);
// A component library that is loaded in this process, found by its project name.
const ProjectDescriptor* FindLoadedProject(std::string_view projectName);

// The file a loaded library was loaded from (absolute path), found through its anchor address.
std::string LibraryFileOf(const void* anchor);

}  // namespace mundor::rt
