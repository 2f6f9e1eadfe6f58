// The data-object library for C++ hosts that link it: register its classes in the process and
// open a catalog. Hosts that do not link it reach the same classes through the registry
// (Nubex.Catalog, Nubex.Pais, Nubex.EdoProv, Nubex.Ciudad) and the four library exports.
#pragma once

#include <string>

#include "contracts/data_objects.h"
#include "nubex/export.h"
#include "runtime/ref.h"

namespace nubex {

// How long a store waits for another writer to release the catalog before it is refused as
// busy.
inline constexpr int kDefaultBusyTimeoutMs = 5000;

struct OpenOptions {
    int busyTimeoutMs = kDefaultBusyTimeoutMs;
    // Make a new, empty catalog when there is none at the location (a missing or empty file, a
    // database schema without tables). Without it such a location is refused (20007), so that a
    // mistyped path never becomes a new catalog.
    bool create = false;
};

// Registers the four classes with the runtime for this process, so that CreateInstance and
// CreateObject find them without the registry file. Calling it again does no harm.
NUBEX_API HRESULT RegisterInProcess();
NUBEX_API void UnregisterInProcess();

// Opens a catalog: a SQLite file (its path as the file system's bytes), or ":memory:" for a
// private in-memory one; or a PostgreSQL database given as a connection URI
// ("postgresql://user@host/db") or key/value conninfo ("host=... dbname=..."). A new catalog is
// made only when options.create asks for it. A file that cannot be written opens for reading,
// and its stores and deletes are refused as read-only (20034). Raises mundor::rt::RuntimeError
// (errors.h) when it cannot.
NUBEX_API mundor::rt::Ref<Catalog> OpenCatalog(const std::string& path,
                                               const OpenOptions& options = {});

}  // namespace nubex
