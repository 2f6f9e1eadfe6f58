// How every SQLite connection of the library is opened and what it sets then: foreign keys
// enforced, the engine's default durability spelt out, and its page cache. Programs measured
// beside the library (the benchmarks' floors) open theirs the same way, so that both sides work
// under the same engine settings.
#pragma once

#include <sqlite3.h>

namespace nubex::sqlite {

// Added to the open flags. A connection serves one thread at a time (a catalog belongs to the
// thread that works with it; a worker thread opens a catalog of its own), so SQLite's lock around
// every call, several for each row read, is left out.
inline constexpr int kConnectionFlags = SQLITE_OPEN_NOMUTEX;

inline constexpr char kConnectionSettingsSql[] =
    "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; PRAGMA cache_size = -2000;";

}  // namespace nubex::sqlite
