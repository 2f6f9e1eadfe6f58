// The collation nubex_es as a SQLite loadable extension, for programs other than the library that
// write a catalog with plain SQL (the sqlite3 shell: ".load libnubex_es"): the catalog's
// view-order index compares names with it, so writing cities needs it. The same comparison as the
// library's own connections use (spanish_collation.cpp, compiled into the module again).
#include <sqlite3ext.h>

#include "nubex/export.h"
#include "nubex/sqlite/spanish_collation.h"

SQLITE_EXTENSION_INIT1

// The entry point SQLite looks for in a file named libnubex_es.so.
extern "C" NUBEX_API int sqlite3_nubexes_init(sqlite3* connection, char** /*errorMessage*/,
                                              const sqlite3_api_routines* routines) {
    SQLITE_EXTENSION_INIT2(routines);
    return nubex::sqlite::RegisterSpanishCollation(connection);
}
