#include "nubex/import/gzip_file.h"

#include <zlib.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "nubex/import/import_error.h"

namespace nubex::import {
namespace {

struct GzCloser {
    void operator()(gzFile_s* file) const { gzclose(file); }
};
using GzFile = std::unique_ptr<gzFile_s, GzCloser>;

[[noreturn]] void RaiseReadFailure(const std::string& path, gzFile file) {
    int zlibCode = Z_OK;
    std::string detail = gzerror(file, &zlibCode);
    // zlib starts its text with the file's path, which the message names already.
    if (detail.starts_with(path + ": ")) detail.erase(0, path.size() + 2);
    if (zlibCode == Z_ERRNO) {
        throw ImportError(ImportErrc::kDatasetUnreadable, "No se pudo leer el archivo de datos \"" +
                                                              path + "\": " + std::strerror(errno));
    }
    throw ImportError(
        ImportErrc::kDatasetCorrupt,
        "El archivo de datos \"" + path + "\" está dañado o incompleto (" + detail + ").");
}

}  // namespace

std::string ReadGzipFile(const std::string& path) {
    GzFile file(gzopen(path.c_str(), "rb"));
    if (!file) {
        throw ImportError(ImportErrc::kDatasetUnreadable,
                          "No se pudo abrir el archivo de datos \"" + path +
                              "\": " + std::strerror(errno ? errno : ENOMEM));
    }
    gzbuffer(file.get(), 256 * 1024);
    std::string content;
    std::array<char, 256 * 1024> chunk;
    for (;;) {
        const int got = gzread(file.get(), chunk.data(), static_cast<unsigned>(chunk.size()));
        if (got < 0) RaiseReadFailure(path, file.get());
        if (got == 0) break;
        content.append(chunk.data(), static_cast<size_t>(got));
    }
    // gzread stops quietly at a cut-off stream; the error state tells it from a clean end.
    int zlibCode = Z_OK;
    gzerror(file.get(), &zlibCode);
    if (zlibCode != Z_OK) RaiseReadFailure(path, file.get());
    return content;
}

}  // namespace nubex::import
