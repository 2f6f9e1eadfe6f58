// The host's own failures: the platform's numbers for a file that is missing, a library that does
// not load and an entry point it lacks, and the exit statuses the program ends with.
#pragma once

#include "runtime/com_types.h"
#include "runtime/error.h"

namespace mundor::host {

namespace err {
inline constexpr LONG kFileNotFound = 53;
inline constexpr LONG kLibraryNotLoadable = rt::err::kLibraryNotLoadable;
inline constexpr LONG kEntryPointMissing = rt::err::kEntryPointMissing;
inline constexpr LONG kNoCurrentRecord = 3021;
}  // namespace err

// How mundor-host ends; scripts test these numbers.
enum ExitStatus : int {
    kExitOk = 0,
    kExitCatalogUnusable = 1,       // the catalog cannot be opened
    kExitCommandLine = 2,           // an option the program does not know, or a bad value
    kExitCatalogNotCreated = 3,     // the first fill with the world was cancelled
    kExitComponentUnavailable = 4,  // the component could not be registered or created
    kExitScreenshotFailed = 5,      // the screenshot could not be saved
    kExitNoDisplay = 6,             // no display to show the window on
};

}  // namespace mundor::host
