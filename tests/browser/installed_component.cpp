#include "installed_component.h"

#include <fstream>

#include "nubex/nubex.h"
#include "raw_client.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace browser_test {

namespace fs = std::filesystem;
namespace rt = mundor::rt;

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
    rt::ThrowIfFailed(rawcom::Library(library.c_str()).Register());
    rt::ThrowIfFailed(nubex::RegisterInProcess());
}

rt::Ref<IDispatch> InstalledComponent::NewMundorFx() const {
    return rt::CreateObject(u"Mundor.MundorFx");
}

}  // namespace browser_test
