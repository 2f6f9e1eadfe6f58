// A library's self-registration, as an installer runs it: load the library and call its
// DllRegisterServer or DllUnregisterServer, which write or remove its classes in the registry
// that RegistryPath() names. mundor-regsvr and hosts that carry their own component use it.
#pragma once

#include <string>

#include "runtime/export.h"

namespace mundor::rt {

enum class SelfRegistration { kRegister, kUnregister };

// The entry point's name: "DllRegisterServer" or "DllUnregisterServer".
MUNDOR_API const char* EntryPointOf(SelfRegistration action);

// Raises err::kLibraryNotLoadable (48) when the library does not load, err::kEntryPointMissing
// (453) when it has no such entry point, and the entry point's own error when it fails; every
// text names the library.
MUNDOR_API void RunSelfRegistration(const std::string& library, SelfRegistration action);

}  // namespace mundor::rt
