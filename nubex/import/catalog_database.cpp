#include "nubex/import/catalog_database.h"

#include "nubex/backend/location.h"
#include "nubex/backend/open_database.h"
#include "nubex/import/import_error.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::import {

std::unique_ptr<db::Database> OpenCatalogDatabase(const std::string& location) {
    try {
        return db::OpenDatabase(location, nubex::kDefaultBusyTimeoutMs, db::Creation::kCreate);
    } catch (const mundor::rt::RuntimeError& error) {
        throw ImportError(ImportErrc::kDatabase, "Catálogo \"" + db::Describe(location) + "\": " +
                                                     mundor::rt::Utf16ToUtf8(error.description()));
    }
}

}  // namespace nubex::import
