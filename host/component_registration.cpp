#include "host/component_registration.h"

#include <dlfcn.h>

#include <array>
#include <memory>

#include "host/catalog_location.h"
#include "host/host_errors.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace mundor::host {

namespace fs = std::filesystem;

namespace {

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;
using RegisterServerFn = HRESULT (*)();

std::array<fs::path, 2> LibraryFolders() {
    const fs::path program = ProgramFolder();
    return {program, program.parent_path() / "lib"};
}

std::u16string Text(const std::string& utf8) {
    return rt::Utf8ToUtf16(utf8);
}

}  // namespace

fs::path FindLibrary(std::string_view fileName) {
    std::u16string searched;
    for (const fs::path& folder : LibraryFolders()) {
        const fs::path candidate = folder / fileName;
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return fs::canonical(candidate, error);
        searched += (searched.empty() ? u"" : u", ") + Text(folder.string());
    }
    rt::Raise(err::kFileNotFound, u"No se encontró " + Text(std::string(fileName)) +
                                      u" (se buscó en " + searched + u").");
}

void RegisterLibrary(const fs::path& library) {
    const std::u16string name = Text(library.string());
    LibraryHandle handle(::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        rt::Raise(err::kLibraryNotLoadable,
                  u"No se pudo cargar " + name + u": " + Text(::dlerror()) + u".");
    }
    const auto registerServer =
        reinterpret_cast<RegisterServerFn>(::dlsym(handle.get(), "DllRegisterServer"));
    if (!registerServer) {
        rt::Raise(err::kEntryPointMissing, name + u" no exporta DllRegisterServer.");
    }
    if (const HRESULT hr = registerServer(); FAILED(hr)) {
        const rt::RuntimeError cause = rt::ErrorFromHResult(hr);
        rt::Raise(cause.number(), u"No se pudo registrar " + name + u": " + cause.description());
    }
}

void RegisterComponentLibraries() {
    RegisterLibrary(FindLibrary(kDataLibrary));
    RegisterLibrary(FindLibrary(kComponentLibrary));
}

rt::Ref<_MundorFx> CreateMundorFx() {
    auto fx = rt::CreateObject(u"Mundor.MundorFx").As<_MundorFx>();
    if (!fx) rt::Raise(rt::err::kCannotCreateObject);
    return fx;
}

}  // namespace mundor::host
