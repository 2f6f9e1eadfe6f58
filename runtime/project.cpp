#include "runtime/project.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <vector>

#include "runtime/registry.h"

namespace mundor::rt {

namespace {

std::string Hex(LCID value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(value));
    return buf;
}

// The store sections a project owns: one per class, one per ProgID and one for its type library.
std::vector<RegistrySection> SectionsOf(const ProjectDescriptor& project,
                                        const std::string& library) {
    std::vector<RegistrySection> sections;
    const std::string libid = GuidToString(project.typeLib.libid);
    for (const ClassDescriptor& c : project.classes) {
        const std::string clsid = GuidToString(c.clsid);
        sections.push_back({"CLSID " + clsid,
                            {{"ProgID", c.progId},
                             {"Description", c.description},
                             {"InprocServer", library},
                             {"TypeLib", libid}}});
        sections.push_back({"ProgID " + std::string(c.progId), {{"CLSID", clsid}}});
    }
    sections.push_back({"TypeLib " + libid,
                        {{"Name", project.typeLib.name},
                         {"Version", std::to_string(project.typeLib.major) + "." +
                                         std::to_string(project.typeLib.minor)},
                         {"LCID", Hex(project.typeLib.lcid)},
                         {"Path", library}}});
    return sections;
}

// Both live until the process ends: a library's unload entry point may run after the runtime's
// own static objects are gone, during exit.
std::mutex& LoadedMutex() {
    static auto* m = new std::mutex;
    return *m;
}

std::vector<const ProjectDescriptor*>& LoadedList() {
    static auto* loaded = new std::vector<const ProjectDescriptor*>;
    return *loaded;
}

}  // namespace

std::string RegisteredLibraryPath(const std::string& file) {
    const std::filesystem::path path(file);
    const std::string name = path.filename().string();
    const std::size_t so = name.find(".so.");
    if (so == std::string::npos) return file;
    std::string shortest = file;
    // libmundor.so.0.9.0.10: try libmundor.so.0.9.0, libmundor.so.0.9, libmundor.so.0.
    for (std::size_t cut = name.rfind('.'); cut > so + 3; cut = name.rfind('.', cut - 1)) {
        const std::filesystem::path candidate = path.parent_path() / name.substr(0, cut);
        std::error_code error;
        if (std::filesystem::equivalent(candidate, path, error)) shortest = candidate.string();
    }
    return shortest;
}

std::string LibraryFileOf(const void* anchor) {
    Dl_info info{};
    if (!anchor || ::dladdr(anchor, &info) == 0 || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    if (::realpath(info.dli_fname, resolved)) return resolved;
    return info.dli_fname;
}

HRESULT RegisterServer(const ProjectDescriptor& project) {
    const std::string file = LibraryFileOf(project.anchor);
    if (file.empty()) return SELFREG_E_CLASS;
    const std::string library = RegisteredLibraryPath(file);
    return RegistryStore::Write(SectionsOf(project, library), {});
}

HRESULT UnregisterServer(const ProjectDescriptor& project) {
    std::vector<std::string> headings;
    for (const RegistrySection& s : SectionsOf(project, {})) headings.push_back(s.heading);
    return RegistryStore::Write({}, headings);
}

HRESULT GetClassObject(const ProjectDescriptor& project, REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ClassDescriptor& c : project.classes) {
        if (c.clsid == clsid) return NewClassFactory(c.create, *project.lifetime, riid, ppv);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow(const ProjectDescriptor& project) {
    return project.lifetime->CanUnload() ? S_OK : S_FALSE;
}

void AttachLibrary(const ProjectDescriptor& project) {
    std::lock_guard lock(LoadedMutex());
    LoadedList().push_back(&project);
}

void DetachLibrary(const ProjectDescriptor& project) {
    std::lock_guard lock(LoadedMutex());
    std::erase(LoadedList(), &project);
}

const ProjectDescriptor* FindLoadedProject(std::string_view projectName) {
    std::lock_guard lock(LoadedMutex());
    for (const ProjectDescriptor* p : LoadedList()) {
        if (projectName == p->projectName) return p;
    }
    return nullptr;
}

}  // namespace mundor::rt
