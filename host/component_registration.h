// Registers the component and the data-object library in the runtime's class registry as an
// installer does: each library's own DllRegisterServer, found beside the program or in the
// library folder of its tree.
#pragma once

#include <filesystem>
#include <string_view>

#include "facade/mundor_fx_interface.h"
#include "runtime/ref.h"

namespace mundor::host {

// The libraries by their SONAME (libmundor.so.0.9), the name an installed system has for them.
inline constexpr std::string_view kComponentLibrary = MUNDOR_COMPONENT_LIBRARY;
inline constexpr std::string_view kDataLibrary = MUNDOR_DATA_LIBRARY;

// The library's file; raises the file-not-found error (53) naming the folders searched.
std::filesystem::path FindLibrary(std::string_view fileName);

// Loads the library and calls its DllRegisterServer. Raises 48 when it does not load, 453 when
// it has no such export, and the registration's own error when that fails.
void RegisterLibrary(const std::filesystem::path& library);

// Nubex first: the component's type library refers to it. A library the registry already
// serves its classes from (registered by a package for every user, or by an earlier run) is
// left as it is, so an installed host does not write the user's registry.
void RegisterComponentLibraries();

// A new Mundor.MundorFx, created by its ProgID through the registry as any host creates it.
// Raises the platform's error 429 when it cannot be created.
rt::Ref<_MundorFx> CreateMundorFx();

}  // namespace mundor::host
