#include "nubex/backend/open_database.h"

#include "nubex/backend/location.h"
#include "nubex/pg/pg_database.h"
#include "nubex/sqlite/sqlite_database.h"

namespace nubex::db {

std::unique_ptr<Database> OpenDatabase(const std::string& location, int busyTimeoutMs) {
    if (EngineOf(location) == Engine::Postgres) {
        return pg::PgDatabase::Open(location, busyTimeoutMs);
    }
    return sqlite::SqliteDatabase::Open(location, busyTimeoutMs);
}

}  // namespace nubex::db
