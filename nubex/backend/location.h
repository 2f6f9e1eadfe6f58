// Where a catalog lives, as OpenCatalog and Catalog.Open take it: a SQLite file (or ":memory:"),
// or a PostgreSQL database given as a connection URI ("postgresql://..." or "postgres://...")
// or as key/value conninfo ("host=... dbname=..."; "service=name" reads a service file).
#pragma once

#include <string>
#include <string_view>

namespace nubex::db {

enum class Engine { Sqlite, Postgres };

// PostgreSQL for a URI or text that starts with a "keyword=" pair; a SQLite file otherwise.
Engine EngineOf(std::string_view location);

// The location as it may be shown to a person or written to a log: a file's path as given;
// for PostgreSQL "PostgreSQL user@host:port/database", with the schema when the options name
// one, and never the password.
std::string Describe(std::string_view location);

}  // namespace nubex::db
