// Owners of libpq's handles.
#pragma once

#include <libpq-fe.h>

#include <memory>

namespace nubex::pg {

struct ConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
using PgConnection = std::unique_ptr<PGconn, ConnectionCloser>;

struct ResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
using PgResult = std::unique_ptr<PGresult, ResultClearer>;

}  // namespace nubex::pg
