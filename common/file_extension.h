// Finds the extension under which the component's own file sits in its folder, given only the
// name without extension that the application object reports.
#pragma once

#include <string>
#include <string_view>

#include "runtime/com_types.h"

namespace mundor::common {

// Errors of listing a folder, with the platform's numbers.
inline constexpr LONG kPermissionDenied = 70;
inline constexpr LONG kPathFileAccessError = 75;
inline constexpr LONG kPathNotFound = 76;

// Walks the plain files of `folder` in the order the file system lists them and returns the last
// four characters of the first name whose other characters are exactly `baseName` (case counts);
// the empty text when none matches. Names shorter than four characters never match. A folder
// that cannot be opened or listed raises one of the errors above.
std::u16string FindFileExtension(std::u16string_view folder, std::u16string_view baseName);

}  // namespace mundor::common
