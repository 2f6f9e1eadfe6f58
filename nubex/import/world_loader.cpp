#include "nubex/import/world_loader.h"

#include "nubex/import/catalog_database.h"
#include "nubex/import/import_error.h"
#include "nubex/import/sqlite_handles.h"
#include "nubex/import/world_guid.h"

namespace nubex::import {
namespace {

constexpr std::int64_t kProgressEvery = 4096;
constexpr const char* kLoadCacheSize = "PRAGMA cache_size = -65536";  // 64 MiB for the indexes

// The three statements that store one kind of row. They share their parameters: ?2 is the
// parent's key (a country's CodigoTel), ?3 Codigo, ?4 Nombre; ?1 is Sys_GUID for find and
// insert, and Sys_PK for update. An update that would change nothing changes no row, so that a
// second import of the same file leaves every Sys_Version as it was.
struct TableSql {
    const char* any;
    const char* find;
    const char* insert;
    const char* update;
};

constexpr TableSql kPaisSql{
    "SELECT EXISTS (SELECT 1 FROM Pais)",
    "SELECT Sys_PK FROM Pais WHERE Sys_GUID = ?1",
    "INSERT INTO Pais (Sys_GUID, CodigoTel, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4)",
    "UPDATE Pais SET CodigoTel = ?2, Codigo = ?3, Nombre = ?4, Sys_Version = Sys_Version + 1 "
    "WHERE Sys_PK = ?1 AND (CodigoTel IS NOT ?2 OR Codigo IS NOT ?3 OR Nombre IS NOT ?4)",
};
constexpr TableSql kEdoProvSql{
    "SELECT EXISTS (SELECT 1 FROM EdoProv)",
    "SELECT Sys_PK FROM EdoProv WHERE Sys_GUID = ?1",
    "INSERT INTO EdoProv (Sys_GUID, IPais, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4)",
    "UPDATE EdoProv SET IPais = ?2, Codigo = ?3, Nombre = ?4, Sys_Version = Sys_Version + 1 "
    "WHERE Sys_PK = ?1 AND (IPais IS NOT ?2 OR Codigo IS NOT ?3 OR Nombre IS NOT ?4)",
};
// A city's CodigoTel is not in the dataset: an update leaves what the user entered.
constexpr TableSql kCiudadSql{
    "SELECT EXISTS (SELECT 1 FROM Ciudad)",
    "SELECT Sys_PK FROM Ciudad WHERE Sys_GUID = ?1",
    "INSERT INTO Ciudad (Sys_GUID, Estado, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4)",
    "UPDATE Ciudad SET Estado = ?2, Codigo = ?3, Nombre = ?4, Sys_Version = Sys_Version + 1 "
    "WHERE Sys_PK = ?1 AND (Estado IS NOT ?2 OR Codigo IS NOT ?3 OR Nombre IS NOT ?4)",
};

// Everything the import writes, or nothing. Inside a caller's transaction it nests as a
// savepoint, so the caller keeps control of its own work.
class ImportTransaction {
  public:
    explicit ImportTransaction(sqlite3* db) : db_(db), nested_(sqlite3_get_autocommit(db) == 0) {
        Execute(db_, nested_ ? "SAVEPOINT world_import" : "BEGIN IMMEDIATE");
    }
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;
    ~ImportTransaction() {
        if (committed_) return;
        // Fails harmlessly when SQLite has already rolled back on its own (disk full, ...).
        const char* undo = nested_ ? "ROLLBACK TO world_import; RELEASE world_import" : "ROLLBACK";
        sqlite3_exec(db_, undo, nullptr, nullptr, nullptr);
    }
    void Commit() {
        Execute(db_, nested_ ? "RELEASE world_import" : "COMMIT");
        committed_ = true;
    }

  private:
    sqlite3* db_;
    bool nested_;
    bool committed_ = false;
};

// A larger page cache while the indexes grow, then the caller's setting again.
class LoadSettings {
  public:
    explicit LoadSettings(sqlite3* db)
        : db_(db), cacheSize_(QueryInteger(db, "PRAGMA cache_size")) {
        Execute(db_, kLoadCacheSize);
    }
    LoadSettings(const LoadSettings&) = delete;
    LoadSettings& operator=(const LoadSettings&) = delete;
    ~LoadSettings() {
        const std::string restore = "PRAGMA cache_size = " + std::to_string(cacheSize_);
        sqlite3_exec(db_, restore.c_str(), nullptr, nullptr, nullptr);
    }

  private:
    sqlite3* db_;
    std::int64_t cacheSize_;
};

// Stores rows of one table: inserts a new Sys_GUID, updates a known one when it differs. Into a
// table that was empty when the import began (a new catalog), every row goes in without a look.
class TableWriter {
  public:
    TableWriter(sqlite3* db, const TableSql& sql, const char* sameCodeHolder)
        : db_(db),
          startedEmpty_(QueryInteger(db, sql.any) == 0),
          find_(db, sql.find),
          insert_(db, sql.insert),
          update_(db, sql.update),
          sameCodeHolder_(sameCodeHolder) {}

    // Gives the row's Sys_PK. `parent` fills parameter 2 (an integer key or a text).
    template <class Parent>
    std::int64_t Store(const std::string& guid, Parent parent, const WorldRow& row,
                       ImportSummary& summary) {
        try {
            const std::int64_t known = startedEmpty_ ? 0 : Find(guid);
            if (known == 0) {
                Run(insert_, guid, parent, row);
                ++summary.added;
                return sqlite3_last_insert_rowid(db_);
            }
            Run(update_, known, parent, row);
            ++(sqlite3_changes(db_) > 0 ? summary.updated : summary.unchanged);
            return known;
        } catch (const ImportError& error) {
            if (error.code() != ImportErrc::kConflict) throw;
            throw ImportError(ImportErrc::kConflict,
                              "El catálogo ya tiene " + std::string(sameCodeHolder_) +
                                  " con el código \"" + std::string(row.codigo) + "\" (" +
                                  std::string(row.nombre) + "); no se importó nada.");
        }
    }

  private:
    std::int64_t Find(const std::string& guid) {
        find_.Bind(1, guid);
        const std::int64_t pk = find_.Step() ? find_.ColumnInteger(0) : 0;
        find_.Reset();
        return pk;
    }

    template <class Key, class Parent>
    static void Run(Statement& statement, const Key& key, const Parent& parent,
                    const WorldRow& row) {
        statement.Bind(1, key);
        statement.Bind(2, parent);
        statement.Bind(3, row.codigo);
        statement.Bind(4, row.nombre);
        statement.Step();
        statement.Reset();
    }

    sqlite3* db_;
    bool startedEmpty_;
    Statement find_;
    Statement insert_;
    Statement update_;
    const char* sameCodeHolder_;
};

// Writes the rows in file order, remembering the key of the current country and state for
// the rows below them.
class RowWriter {
  public:
    RowWriter(sqlite3* db, const std::string& guidNamespace)
        : guid_(guidNamespace),
          pais_(db, kPaisSql, "un país"),
          edoProv_(db, kEdoProvSql, "un estado de ese país"),
          ciudad_(db, kCiudadSql, "una ciudad de ese estado") {}

    void Write(const WorldRow& row) {
        const std::string guid = guid_.For(row.kind, row.id);
        switch (row.kind) {
            case RowKind::kPais:
                paisPk_ = pais_.Store(guid, row.codigoTel, row, summary_);
                return;
            case RowKind::kEdoProv:
                edoProvPk_ = edoProv_.Store(guid, paisPk_, row, summary_);
                return;
            case RowKind::kCiudad:
                ciudad_.Store(guid, edoProvPk_, row, summary_);
                return;
        }
    }

    ImportSummary& summary() { return summary_; }

  private:
    WorldGuid guid_;
    TableWriter pais_;
    TableWriter edoProv_;
    TableWriter ciudad_;
    std::int64_t paisPk_ = 0;
    std::int64_t edoProvPk_ = 0;
    ImportSummary summary_;
};

void Report(const ProgressCallback& progress, const ImportProgress& state) {
    if (!progress || progress(state)) return;
    throw ImportError(ImportErrc::kCancelled, "Importación cancelada; el catálogo no cambió.");
}

}  // namespace

ImportSummary LoadWorld(const WorldData& data, sqlite3* db, const ProgressCallback& progress) {
    if (!db) throw ImportError(ImportErrc::kDatabase, "No hay un catálogo abierto.");
    LoadSettings settings(db);
    ImportTransaction transaction(db);
    RowWriter writer(db, data.guidNamespace);
    ImportProgress state{0, data.counts.total()};
    for (const WorldRow& row : data.rows) {
        writer.Write(row);
        if (++state.done % kProgressEvery == 0) Report(progress, state);
    }
    Report(progress, state);
    transaction.Commit();
    writer.summary().counts = data.counts;
    return writer.summary();
}

ImportSummary LoadWorld(const std::string& datasetPath, sqlite3* db,
                        const ProgressCallback& progress) {
    return LoadWorld(ReadWorldFile(datasetPath), db, progress);
}

ImportSummary LoadWorldIntoFile(const std::string& datasetPath, const std::string& catalogPath,
                                const ProgressCallback& progress) {
    // The file is checked before the catalog is touched: a bad dataset creates no catalog.
    const WorldData data = ReadWorldFile(datasetPath);
    Database db = OpenCatalogFile(catalogPath);
    return LoadWorld(data, db.get(), progress);
}

}  // namespace nubex::import
