#include "nubex/sqlite/sqlite_error.h"

#include <sqlite3.h>

namespace nubex::sqlite {

namespace {

db::Failure Classify(int resultCode) {
    switch (resultCode & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return db::Failure::Busy;
        case SQLITE_CONSTRAINT:
            return db::Failure::Constraint;
        case SQLITE_READONLY:
            // SQLITE_READONLY_DBMOVED: the engine noticed itself that the file went away.
            return resultCode == SQLITE_READONLY_DBMOVED ? db::Failure::FileGone
                                                         : db::Failure::ReadOnly;
        default:
            return db::Failure::Other;
    }
}

}  // namespace

void ThrowDbError(sqlite3* connection, int resultCode) {
    const char* message = connection ? sqlite3_errmsg(connection) : sqlite3_errstr(resultCode);
    throw db::DbError(Classify(resultCode), message ? message : "");
}

}  // namespace nubex::sqlite
