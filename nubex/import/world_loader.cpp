#include "nubex/import/world_loader.h"

#include "nubex/import/catalog_database.h"
#include "nubex/import/import_error.h"
#include "nubex/import/sqlite_handles.h"
#include "nubex/import/world_guid.h"

namespace nubex::import {
namespace {

constexpr std::int64_t kProgressEvery = 4096;
constexpr const char* kLoadCacheSize = "PRAGMA cache_size = -65536";  // 64 MiB for the indexes

// An update happens only when something differs, so that re-importing the same file leaves
// every row's Sys_Version as it was. RETURNING gives no row for such an unchanged row.
constexpr const char* kUpsertPais =
    "INSERT INTO Pais (Sys_GUID, CodigoTel, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (Sys_GUID) DO UPDATE SET Codigo = excluded.Codigo, Nombre = excluded.Nombre, "
    "CodigoTel = excluded.CodigoTel, Sys_Version = Sys_Version + 1 "
    "WHERE Codigo IS NOT excluded.Codigo OR Nombre IS NOT excluded.Nombre "
    "OR CodigoTel IS NOT excluded.CodigoTel "
    "RETURNING Sys_PK, Sys_Version";
constexpr const char* kUpsertEdoProv =
    "INSERT INTO EdoProv (Sys_GUID, IPais, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (Sys_GUID) DO UPDATE SET IPais = excluded.IPais, Codigo = excluded.Codigo, "
    "Nombre = excluded.Nombre, Sys_Version = Sys_Version + 1 "
    "WHERE IPais IS NOT excluded.IPais OR Codigo IS NOT excluded.Codigo "
    "OR Nombre IS NOT excluded.Nombre "
    "RETURNING Sys_PK, Sys_Version";
// A city's CodigoTel is not in the dataset: an update leaves what the user entered.
constexpr const char* kUpsertCiudad =
    "INSERT INTO Ciudad (Sys_GUID, Estado, Codigo, Nombre) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (Sys_GUID) DO UPDATE SET Estado = excluded.Estado, Codigo = excluded.Codigo, "
    "Nombre = excluded.Nombre, Sys_Version = Sys_Version + 1 "
    "WHERE Estado IS NOT excluded.Estado OR Codigo IS NOT excluded.Codigo "
    "OR Nombre IS NOT excluded.Nombre "
    "RETURNING Sys_PK, Sys_Version";

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
        const char* undo =
            nested_ ? "ROLLBACK TO world_import; RELEASE world_import" : "ROLLBACK";
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

struct TableStatements {
    Statement upsert;
    Statement find;
};

// Writes the rows in file order, remembering the key of the current country and state for
// the rows below them. Every upsert takes the same parameters: ?1 Sys_GUID, ?2 the parent's key
// (a country's CodigoTel), ?3 Codigo, ?4 Nombre.
class RowWriter {
public:
    RowWriter(sqlite3* db, const std::string& guidNamespace)
        : guid_(guidNamespace),
          pais_{{db, kUpsertPais}, {db, "SELECT Sys_PK FROM Pais WHERE Sys_GUID = ?1"}},
          edoProv_{{db, kUpsertEdoProv}, {db, "SELECT Sys_PK FROM EdoProv WHERE Sys_GUID = ?1"}},
          ciudad_{{db, kUpsertCiudad}, {db, "SELECT Sys_PK FROM Ciudad WHERE Sys_GUID = ?1"}} {}

    void Write(const WorldRow& row) {
        const std::string guid = guid_.For(row.kind, row.id);
        switch (row.kind) {
            case RowKind::kPais:
                pais_.upsert.Bind(2, row.codigoTel);
                paisPk_ = Store(pais_, guid, row, "un país");
                return;
            case RowKind::kEdoProv:
                edoProv_.upsert.Bind(2, paisPk_);
                edoProvPk_ = Store(edoProv_, guid, row, "un estado de ese país");
                return;
            case RowKind::kCiudad:
                ciudad_.upsert.Bind(2, edoProvPk_);
                Store(ciudad_, guid, row, "una ciudad de ese estado");
                return;
        }
    }

    ImportSummary& summary() { return summary_; }

private:
    // Runs the upsert whose parameter 2 is bound already and gives the row's Sys_PK.
    std::int64_t Store(TableStatements& table, const std::string& guid, const WorldRow& row,
                       const char* sameCodeHolder) {
        table.upsert.Bind(1, guid);
        table.upsert.Bind(3, row.codigo);
        table.upsert.Bind(4, row.nombre);
        try {
            return StepUpsert(table, guid, row.kind != RowKind::kCiudad);
        } catch (const ImportError& error) {
            if (error.code() != ImportErrc::kConflict) throw;
            throw ImportError(ImportErrc::kConflict,
                              "El catálogo ya tiene " + std::string(sameCodeHolder) +
                                  " con el código \"" + std::string(row.codigo) + "\" (" +
                                  std::string(row.nombre) + "); no se importó nada.");
        }
    }

    // An unchanged row returns nothing from the upsert; its key is looked up only when rows
    // below it need it.
    std::int64_t StepUpsert(TableStatements& table, const std::string& guid, bool needKey) {
        if (table.upsert.Step()) {
            const std::int64_t pk = table.upsert.ColumnInteger(0);
            ++(table.upsert.ColumnInteger(1) == 1 ? summary_.added : summary_.updated);
            table.upsert.Reset();
            return pk;
        }
        table.upsert.Reset();
        ++summary_.unchanged;
        if (!needKey) return 0;
        table.find.Bind(1, guid);
        table.find.Step();
        const std::int64_t pk = table.find.ColumnInteger(0);
        table.find.Reset();
        return pk;
    }

    WorldGuid guid_;
    TableStatements pais_;
    TableStatements edoProv_;
    TableStatements ciudad_;
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
