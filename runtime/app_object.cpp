#include "runtime/app_object.h"

#include <filesystem>

#include "runtime/bstr.h"
#include "runtime/version_record.h"

namespace mundor::rt {

namespace {

// A shared library's extension is ".so" with its version parts ("libmundor.so.0.9.0.10" gives
// "libmundor"); any other file's is its last dotted part.
std::string NameWithoutExtension(const std::string& fileName) {
    const std::size_t so = fileName.find(".so.");
    if (so != std::string::npos) return fileName.substr(0, so);
    return std::filesystem::path(fileName).stem().string();
}

}  // namespace

AppObject ApplicationOf(const ProjectDescriptor& project) {
    AppObject app;
    app.Title = Utf8ToUtf16(project.projectName);
    const std::string file = LibraryFileOf(project.anchor);
    if (file.empty()) return app;
    const std::filesystem::path path(file);
    app.Path = Utf8ToUtf16(path.parent_path().string());
    app.EXEName = Utf8ToUtf16(NameWithoutExtension(path.filename().string()));
    // The version parts come from the library's own version record, the one place they are kept.
    if (const auto record = ReadVersionRecordFromFile(file)) {
        std::uint16_t parts[4];
        if (record->VersionParts(parts)) {
            app.Major = parts[0];
            app.Minor = parts[1];
            app.Revision = parts[3];
        }
    }
    return app;
}

}  // namespace mundor::rt
