#include "host/component_registration.h"

#include <array>

#include "contracts/data_objects.h"
#include "host/catalog_location.h"
#include "host/host_errors.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/self_registration.h"

namespace mundor::host {

namespace fs = std::filesystem;

namespace {

// Beside the program, or in the library folder of its tree (lib/x86_64-linux-gnu beside bin/,
// in the build tree as once installed).
std::array<fs::path, 2> LibraryFolders() {
    const fs::path program = ProgramFolder();
    return {program, (program / MUNDOR_LIBDIR_FROM_BINDIR).lexically_normal()};
}

std::u16string Text(const std::string& utf8) {
    return rt::Utf8ToUtf16(utf8);
}

// Whether the registry already creates `progId` from this very file, as it does once a package
// has registered it for every user or an earlier run registered it for this one.
bool ServedBy(const char* progId, const fs::path& library) {
    const auto registration = rt::FindClassByProgId(progId);
    std::error_code error;
    return registration && fs::equivalent(registration->library, library, error);
}

void RegisterUnlessServed(const char* progId, const fs::path& library) {
    if (!ServedBy(progId, library)) RegisterLibrary(library);
}

}  // namespace

fs::path FindLibrary(std::string_view fileName) {
    std::u16string searched;
    for (const fs::path& folder : LibraryFolders()) {
        const fs::path candidate = folder / fileName;
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal();
        searched += (searched.empty() ? u"" : u", ") + Text(folder.string());
    }
    rt::Raise(err::kFileNotFound, u"No se encontró " + Text(std::string(fileName)) +
                                      u" (se buscó en " + searched + u").");
}

void RegisterLibrary(const fs::path& library) {
    rt::RunSelfRegistration(library.string(), rt::SelfRegistration::kRegister);
}

void RegisterComponentLibraries() {
    RegisterUnlessServed(nubex::kProgIdCatalog, FindLibrary(kDataLibrary));
    RegisterUnlessServed(kProgIdMundorFx, FindLibrary(kComponentLibrary));
}

rt::Ref<_MundorFx> CreateMundorFx() {
    auto fx = rt::CreateObject(u"Mundor.MundorFx").As<_MundorFx>();
    if (!fx) rt::Raise(rt::err::kCannotCreateObject);
    return fx;
}

}  // namespace mundor::host
