#include "nubex/import/gzip_file.h"

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "nubex/import/import_error.h"

namespace nubex::import {

GzipReader::GzipReader(std::string path)
    : path_(std::move(path)), file_(gzopen(path_.c_str(), "rb")) {
    if (!file_) {
        throw ImportError(ImportErrc::kDatasetUnreadable,
                          "No se pudo abrir el archivo de datos \"" + path_ +
                              "\": " + std::strerror(errno ? errno : ENOMEM));
    }
    gzbuffer(file_, 64 * 1024);
}

GzipReader::~GzipReader() {
    gzclose(file_);
}

std::size_t GzipReader::Read(char* into, std::size_t room) {
    const auto asked = static_cast<unsigned>(std::min<std::size_t>(room, INT_MAX));
    const int got = gzread(file_, into, asked);
    if (got < 0) RaiseReadFailure();
    if (got == 0) {
        // gzread stops quietly at a cut-off stream; the error state tells it from a clean end.
        int zlibCode = Z_OK;
        gzerror(file_, &zlibCode);
        if (zlibCode != Z_OK) RaiseReadFailure();
    }
    return static_cast<std::size_t>(got);
}

void GzipReader::RaiseReadFailure() {
    int zlibCode = Z_OK;
    std::string detail = gzerror(file_, &zlibCode);
    // zlib starts its text with the file's path, which the message names already.
    if (detail.starts_with(path_ + ": ")) detail.erase(0, path_.size() + 2);
    if (zlibCode == Z_ERRNO) {
        throw ImportError(
            ImportErrc::kDatasetUnreadable,
            "No se pudo leer el archivo de datos \"" + path_ + "\": " + std::strerror(errno));
    }
    throw ImportError(
        ImportErrc::kDatasetCorrupt,
        "El archivo de datos \"" + path_ + "\" está dañado o incompleto (" + detail + ").");
}

}  // namespace nubex::import
