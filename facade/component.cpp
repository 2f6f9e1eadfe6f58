// The library's four exports and its load entry point. Each hands its work to the runtime with
// the component's project descriptor and adds no logic of its own.
#include "facade/component.h"

#include <array>
#include <cstdint>

#include "facade/mundor_fx.h"
#include "facade/mundor_fx_interface.h"
#include "runtime/version_record.h"

MUNDOR_VERSION_NOTE(
    "FileVersion=0.9.0.10\0"
    "ProductVersion=0.9.0.10\0"
    "FileVersionText=0.09.0010\0"
    "ProductVersionText=0.09.0010\0"
    "ProductName=Mundor\0"
    "InternalName=Mundor\0"
    "OriginalFilename=libmundor.so\0"
    "Language=0x0C0A\0"
    "CodePage=1200\0"
    "OLESelfRegister=\0")

namespace mundor {

namespace {
const char kAnchor = 0;
}  // namespace

rt::ModuleLifetime& ThisModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

const rt::ProjectDescriptor& MundorProject() {
    static const std::array<rt::ClassDescriptor, 1> classes{{
        {CLSID_MundorFx, kProgIdMundorFx, "Mundor geographic catalog",
         &rt::CreateInstanceOf<MundorFx>},
    }};
    static const rt::ProjectDescriptor project{
        "Mundor", {LIBID_Mundor, "Mundor", 1, 1, 0x409}, classes, &ThisModule(), &kAnchor};
    return project;
}

rt::AppObject ThisApp() {
    return rt::ApplicationOf(MundorProject());
}

}  // namespace mundor

extern "C" {

[[gnu::visibility("default")]] HRESULT DllRegisterServer() {
    return mundor::rt::RegisterServer(mundor::MundorProject());
}

[[gnu::visibility("default")]] HRESULT DllUnregisterServer() {
    return mundor::rt::UnregisterServer(mundor::MundorProject());
}

[[gnu::visibility("default")]] HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return mundor::rt::GetClassObject(mundor::MundorProject(), clsid, riid, ppv);
}

[[gnu::visibility("default")]] HRESULT DllCanUnloadNow() {
    return mundor::rt::CanUnloadNow(mundor::MundorProject());
}
}

namespace {
[[gnu::constructor]] void OnLibraryLoad() {
    mundor::rt::AttachLibrary(mundor::MundorProject());
}
[[gnu::destructor]] void OnLibraryUnload() {
    mundor::rt::DetachLibrary(mundor::MundorProject());
}
}  // namespace
