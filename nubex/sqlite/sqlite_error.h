// SQLite result codes turned into the backend-neutral DbError.
#pragma once

#include "nubex/backend/database.h"

struct sqlite3;

namespace nubex::sqlite {

[[noreturn]] void ThrowDbError(sqlite3* connection, int resultCode);

}  // namespace nubex::sqlite
