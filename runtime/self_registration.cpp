#include "runtime/self_registration.h"

#include <dlfcn.h>

#include <memory>

#include "runtime/bstr.h"
#include "runtime/error.h"

namespace mundor::rt {

namespace {

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;
using EntryPointFn = HRESULT (*)();

}  // namespace

const char* EntryPointOf(SelfRegistration action) {
    return action == SelfRegistration::kRegister ? "DllRegisterServer" : "DllUnregisterServer";
}

void RunSelfRegistration(const std::string& library, SelfRegistration action) {
    const std::u16string name = Utf8ToUtf16(library);
    const std::u16string entryName = Utf8ToUtf16(EntryPointOf(action));
    LibraryHandle handle(::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        Raise(err::kLibraryNotLoadable,
              u"No se pudo cargar " + name + u": " + Utf8ToUtf16(::dlerror()) + u".");
    }
    const auto entry = reinterpret_cast<EntryPointFn>(::dlsym(handle.get(), EntryPointOf(action)));
    if (!entry) Raise(err::kEntryPointMissing, name + u" no exporta " + entryName + u".");
    if (const HRESULT hr = entry(); FAILED(hr)) {
        const RuntimeError cause = ErrorFromHResult(hr);
        Raise(cause.number(), entryName + u" de " + name + u" falló: " + cause.description());
    }
}

}  // namespace mundor::rt
