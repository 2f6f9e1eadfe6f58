// The collation "nubex_es" on a SQLite connection: names ordered as a Spanish reader expects them
// (ICU's Spanish rules: accents and case do not move a name away from its letter), and names ICU
// finds equal by code point, so that the order is total and the same as PostgreSQL's ICU
// collation of that name gives.
#pragma once

struct sqlite3;

namespace nubex::sqlite {

// Returns SQLite's result code.
int RegisterSpanishCollation(sqlite3* connection);

}  // namespace nubex::sqlite
