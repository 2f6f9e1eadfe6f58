#include "host/catalog_location.h"

#include <QStandardPaths>

namespace mundor::host {

namespace fs = std::filesystem;

fs::path DefaultCatalogPath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return fs::path(data.toStdString()) / "mundor" / "catalog.db";
}

fs::path ProgramFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path();
}

}  // namespace mundor::host
