// libpq's failures turned into the backend-neutral DbError, with the server's own message.
#pragma once

#include <libpq-fe.h>

#include <string>

#include "nubex/backend/database.h"

namespace nubex::pg {

// What went wrong with `result` (null: the connection itself failed) on `connection`.
db::Failure Classify(const PGresult* result, const PGconn* connection);
// The server's message (and its detail), on one line.
std::string MessageOf(const PGresult* result, const PGconn* connection);

}  // namespace nubex::pg
