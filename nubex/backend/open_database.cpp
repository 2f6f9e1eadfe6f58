#include "nubex/backend/open_database.h"

#include "nubex/backend/location.h"
#include "nubex/errors.h"
#include "nubex/pg/pg_database.h"
#include "nubex/sqlite/sqlite_database.h"
#include "runtime/error.h"

namespace nubex::db {

std::unique_ptr<Database> OpenDatabase(const std::string& location, int busyTimeoutMs,
                                       Creation creation) {
    // The engines read the location as a C string: a NUL would cut it to another place.
    if (location.find('\0') != std::string::npos) {
        mundor::rt::Raise(err::kBadLocation.number, std::u16string(err::kBadLocation.text));
    }
    const bool create = creation == Creation::kCreate;
    if (EngineOf(location) == Engine::Postgres) {
        return pg::PgDatabase::Open(location, busyTimeoutMs, create);
    }
    return sqlite::SqliteDatabase::Open(location, busyTimeoutMs, create);
}

}  // namespace nubex::db
