// Reads a whole gzip-compressed file into memory. A plain, uncompressed file is read as it is.
#pragma once

#include <string>

namespace nubex::import {

// The decompressed bytes. Raises ImportError: kDatasetUnreadable when the file cannot be
// opened or read, kDatasetCorrupt when the compressed stream is damaged or cut short.
std::string ReadGzipFile(const std::string& path);

}  // namespace nubex::import
