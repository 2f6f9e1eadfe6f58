#include "common/file_extension.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "runtime/bstr.h"
#include "runtime/error.h"

namespace mundor::common {

namespace {

namespace fs = std::filesystem;

// The last four characters count as the extension, whatever they are (".dll", "_old", ...).
constexpr std::size_t kExtensionLength = 4;

[[noreturn]] void RaiseListingError(std::u16string_view folder, const std::error_code& error) {
    const std::u16string where = u": '" + std::u16string(folder) + u"'";
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
        rt::Raise(kPathNotFound, u"No se encontró la ruta de acceso" + where);
    }
    if (error == std::errc::permission_denied) {
        rt::Raise(kPermissionDenied, u"Permiso denegado" + where);
    }
    rt::Raise(kPathFileAccessError, u"Error de acceso a la ruta o al archivo" + where);
}

// The extension `fileName` gives `baseName`, or nothing when it is not that name's file.
std::optional<std::u16string> ExtensionFor(std::u16string_view fileName,
                                           std::u16string_view baseName) {
    if (fileName.size() < kExtensionLength) return std::nullopt;
    const std::size_t stemLength = fileName.size() - kExtensionLength;
    if (fileName.substr(0, stemLength) != baseName) return std::nullopt;
    return std::u16string(fileName.substr(stemLength));
}

bool IsPlainFile(const fs::directory_entry& entry) {
    std::error_code ignored;
    return entry.is_regular_file(ignored);
}

}  // namespace

std::u16string FindFileExtension(std::u16string_view folder, std::u16string_view baseName) {
    std::error_code error;
    fs::directory_iterator entry(fs::path(rt::Utf16ToUtf8(folder)), error);
    const fs::directory_iterator end;
    for (; !error && entry != end; entry.increment(error)) {
        if (!IsPlainFile(*entry)) continue;
        const std::u16string fileName = rt::Utf8ToUtf16(entry->path().filename().string());
        if (auto extension = ExtensionFor(fileName, baseName)) return *std::move(extension);
    }
    if (error) RaiseListingError(folder, error);
    return u"";
}

}  // namespace mundor::common
