#include "installed_component.h"

#include <dlfcn.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "nubex/nubex.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace browser_test {

namespace fs = std::filesystem;
namespace rt = mundor::rt;

namespace {

void RegisterLibrary(const fs::path& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw std::runtime_error(std::string("cannot load the component: ") + dlerror());
    using RegisterFn = HRESULT (*)();
    const auto registerServer = reinterpret_cast<RegisterFn>(dlsym(handle, "DllRegisterServer"));
    if (!registerServer) throw std::runtime_error("the component has no DllRegisterServer");
    rt::ThrowIfFailed(registerServer());
}

}  // namespace

const InstalledComponent& InstalledComponent::Get() {
    static const InstalledComponent installed;
    return installed;
}

InstalledComponent::InstalledComponent() {
    const fs::path library = folder_ / "libmundor.so";
    fs::copy_file(MUNDOR_LIBRARY_PATH, library);
    // Installed beside the component, as hosts ship the type library.
    std::ofstream(folder_ / "libmundor.tlb") << "Mundor 1.1";
    rt::SetRegistryPath((folder_ / "registry.ini").string());
    RegisterLibrary(library);
    rt::ThrowIfFailed(nubex::RegisterInProcess());
}

rt::Ref<IDispatch> InstalledComponent::NewMundorFx() const {
    return rt::CreateObject(u"Mundor.MundorFx");
}

}  // namespace browser_test
