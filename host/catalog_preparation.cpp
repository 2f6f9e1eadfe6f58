#include "host/catalog_preparation.h"

#include "host/partial_catalog_file.h"
#include "host/world_import_dialog.h"
#include "runtime/bstr.h"
#include "runtime/text.h"

namespace mundor::host {

namespace fs = std::filesystem;

namespace {

CatalogPreparation Failed(std::u16string problem) {
    return {CatalogPreparation::Status::kFailed, false, std::move(problem)};
}

std::u16string Text(const std::string& utf8) {
    return rt::Utf8ToUtf16(utf8);
}

CatalogPreparation FillNewCatalog(const fs::path& catalog, const fs::path& dataset,
                                  QWidget* parent) {
    PartialCatalogFile partial(catalog);
    const WorldImportResult imported = ImportWorldWithProgress(dataset, partial.path(), parent);
    switch (imported.status) {
        case WorldImportResult::Status::kCancelled:
            return {CatalogPreparation::Status::kCancelled, false,
                    u"Se canceló la carga del mundo; no se creó el catálogo " +
                        Text(catalog.string()) + u"."};
        case WorldImportResult::Status::kFailed:
            return Failed(u"No se pudo llenar el catálogo nuevo " + Text(catalog.string()) +
                          u" con el mundo. Error " + rt::DecimalText(imported.errorNumber) + u": " +
                          Text(imported.message));
        case WorldImportResult::Status::kDone:
            break;
    }
    partial.Commit();
    return {CatalogPreparation::Status::kReady, true, {}};
}

}  // namespace

CatalogPreparation PrepareCatalogFile(const fs::path& catalog, const fs::path& dataset,
                                      bool createFolder, QWidget* parent) {
    std::error_code error;
    if (fs::exists(catalog, error)) return {CatalogPreparation::Status::kReady, false, {}};
    try {
        if (createFolder) fs::create_directories(catalog.parent_path());
        return FillNewCatalog(catalog, dataset, parent);
    } catch (const fs::filesystem_error& failure) {
        return Failed(u"No se pudo crear el catálogo " + Text(catalog.string()) + u": " +
                      Text(failure.code().message()) + u".");
    }
}

}  // namespace mundor::host
