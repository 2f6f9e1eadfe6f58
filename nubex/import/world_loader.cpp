#include "nubex/import/world_loader.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "nubex/import/catalog_database.h"
#include "nubex/import/import_error.h"
#include "nubex/import/world_guid.h"

namespace nubex::import {
namespace {

constexpr std::int64_t kProgressEvery = 4096;

// From this many rows written, the search indexes are rebuilt once at the end instead of
// following every row: on SQLite following costs about 35 µs a row, and rebuilding the whole
// world's indexes about 0.6 s.
constexpr std::int64_t kRebuildSearchFrom = 10000;

// One level of the catalog and the fixed identifiers its statements are written from.
struct Level {
    const char* table;
    const char* parentColumn;  // nullptr for countries
    bool codigoTelInDataset;   // a city's CodigoTel is the user's: the dataset leaves it alone
    const char* codeHolder;    // "un país": who already has a code, in the conflict's text
};

constexpr std::array<Level, 3> kLevels{{
    {"Pais", nullptr, true, "un país"},
    {"EdoProv", "IPais", false, "un estado de ese país"},
    {"Ciudad", "Estado", false, "una ciudad de ese estado"},
}};

std::size_t LevelOf(RowKind kind) {
    switch (kind) {
        case RowKind::kPais:
            return 0;
        case RowKind::kEdoProv:
            return 1;
        case RowKind::kCiudad:
            return 2;
    }
    return 0;
}

std::string ParentOf(const Level& level) {
    return level.parentColumn ? level.parentColumn : "0";
}

// A row of the catalog as it was before the import.
struct StoredRow {
    std::int64_t pk = 0;
    std::int64_t parentPk = 0;
    std::string codigo;
    std::string nombre;
    std::string codigoTel;
    bool inFile = false;  // the dataset has a row with its Sys_GUID
};
using StoredRows = std::unordered_map<std::string, StoredRow>;  // by Sys_GUID

StoredRows ReadStored(db::Database& db, const Level& level) {
    const std::string sql = "SELECT Sys_GUID, Sys_PK, " + ParentOf(level) + ", Codigo, Nombre, " +
                            (level.codigoTelInDataset ? "CodigoTel" : "''") + " FROM " +
                            level.table;
    auto statement = db.Prepare(sql);
    StoredRows rows;
    while (statement->Step()) {
        rows.emplace(statement->TextUtf8(0),
                     StoredRow{statement->Int(1), statement->Int(2), statement->TextUtf8(3),
                               statement->TextUtf8(4), statement->TextUtf8(5)});
    }
    return rows;
}

// What the import does with one row of the file.
struct PlannedRow {
    const WorldRow* row = nullptr;
    std::string guid;
    std::int64_t pk = 0;
    std::int64_t parentPk = 0;
    enum class Action { kInsert, kUpdate, kKeep } action = Action::kInsert;
};

bool Differs(const Level& level, const StoredRow& stored, const PlannedRow& planned) {
    const WorldRow& row = *planned.row;
    return stored.parentPk != planned.parentPk || stored.codigo != row.codigo ||
           stored.nombre != row.nombre ||
           (level.codigoTelInDataset && stored.codigoTel != row.codigoTel);
}

// The file's rows sorted into inserts, updates and rows to keep, with every key and parent key
// known before anything is written: new rows get keys the database reserved for them.
class Plan {
  public:
    Plan(db::Database& db, const WorldData& data) {
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            stored_[level] = ReadStored(db, kLevels[level]);
        }
        const WorldGuid guids(data.guidNamespace);
        std::array<std::int64_t, 3> newRows{};
        rows_.reserve(data.rows.size());
        for (const WorldRow& row : data.rows) {
            PlannedRow& planned = rows_.emplace_back();
            planned.row = &row;
            planned.guid = guids.For(row.kind, row.id);
            const std::size_t level = LevelOf(row.kind);
            if (auto found = stored_[level].find(planned.guid); found != stored_[level].end()) {
                found->second.inFile = true;
                planned.pk = found->second.pk;
                planned.action = PlannedRow::Action::kKeep;
            } else {
                ++newRows[level];
            }
        }
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            nextKey_[level] = db.ReserveKeys(kLevels[level].table, newRows[level]);
        }
        LinkRows();
    }

    const std::vector<PlannedRow>& rows() const { return rows_; }
    std::int64_t RowsToWrite() const {
        return std::count_if(rows_.begin(), rows_.end(), [](const PlannedRow& planned) {
            return planned.action != PlannedRow::Action::kKeep;
        });
    }

  private:
    // Keys for new rows and parent keys for all, in file order: a country, its states, each
    // state followed by its cities.
    void LinkRows() {
        std::array<std::int64_t, 3> current{};
        const auto taken = CodesOfRowsNotInFile();
        for (PlannedRow& planned : rows_) {
            const std::size_t level = LevelOf(planned.row->kind);
            planned.parentPk = level == 0 ? 0 : current[level - 1];
            if (planned.action == PlannedRow::Action::kInsert) planned.pk = nextKey_[level]++;
            current[level] = planned.pk;
            CheckCodeFree(level, planned, taken[level]);
            if (planned.action == PlannedRow::Action::kKeep &&
                Differs(kLevels[level], stored_[level].at(planned.guid), planned)) {
                planned.action = PlannedRow::Action::kUpdate;
            }
        }
    }

    using TakenCodes = std::set<std::pair<std::int64_t, std::string>>;  // (parent key, code)

    // Codes the import must not repeat: those of rows the user added, which the file does not
    // have. (Rows the file has take the file's codes.)
    std::array<TakenCodes, 3> CodesOfRowsNotInFile() const {
        std::array<TakenCodes, 3> taken;
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            for (const auto& [guid, stored] : stored_[level]) {
                if (!stored.inFile && !stored.codigo.empty()) {
                    taken[level].emplace(stored.parentPk, stored.codigo);
                }
            }
        }
        return taken;
    }

    static void CheckCodeFree(std::size_t level, const PlannedRow& planned,
                              const TakenCodes& taken) {
        const WorldRow& row = *planned.row;
        if (row.codigo.empty()) return;
        if (!taken.count({planned.parentPk, std::string(row.codigo)})) return;
        throw ImportError(ImportErrc::kConflict,
                          "El catálogo ya tiene " + std::string(kLevels[level].codeHolder) +
                              " con el código \"" + std::string(row.codigo) + "\" (" +
                              std::string(row.nombre) + "); no se importó nada.");
    }

    std::array<StoredRows, 3> stored_;
    std::array<std::int64_t, 3> nextKey_{};
    std::vector<PlannedRow> rows_;
};

class ProgressReporter {
  public:
    ProgressReporter(const ProgressCallback& callback, std::int64_t total)
        : callback_(callback), state_{0, total} {}

    void RowDone() {
        if (++state_.done % kProgressEvery == 0) Report();
    }
    void Report() const {
        if (!callback_ || callback_(state_)) return;
        throw ImportError(ImportErrc::kCancelled, "Importación cancelada; el catálogo no cambió.");
    }

  private:
    const ProgressCallback& callback_;
    ImportProgress state_;
};

std::string UpdateSql(const Level& level) {
    std::string sql = std::string("UPDATE ") + level.table + " SET Codigo = ?2, Nombre = ?3";
    if (level.codigoTelInDataset) sql += ", CodigoTel = ?4";
    if (level.parentColumn) sql += std::string(", ") + level.parentColumn + " = ?5";
    return sql + ", Sys_Version = Sys_Version + 1 WHERE Sys_PK = ?1";
}

std::string InsertColumns(const Level& level) {
    std::string columns = "Sys_PK, Sys_GUID, Codigo, Nombre";
    if (level.codigoTelInDataset) columns += ", CodigoTel";
    if (level.parentColumn) columns += std::string(", ") + level.parentColumn;
    return columns;
}

// Writes one level: updates first, so that a code a row gives up is free for a new row.
void WriteLevel(db::Database& db, std::size_t level, const std::vector<PlannedRow>& rows,
                ImportSummary& summary, ProgressReporter& progress) {
    const Level& info = kLevels[level];
    const auto ofLevel = [level](const PlannedRow& planned) {
        return LevelOf(planned.row->kind) == level;
    };
    auto update = db.Prepare(UpdateSql(info));
    for (const PlannedRow& planned : rows) {
        if (!ofLevel(planned) || planned.action == PlannedRow::Action::kInsert) continue;
        if (planned.action == PlannedRow::Action::kKeep) {
            ++summary.unchanged;
        } else {
            update->Bind(1, planned.pk);
            update->BindUtf8(2, planned.row->codigo);
            update->BindUtf8(3, planned.row->nombre);
            update->BindUtf8(4, planned.row->codigoTel);
            update->Bind(5, planned.parentPk);
            update->Step();
            ++summary.updated;
        }
        progress.RowDone();
    }
    auto insert = db.StartBulkInsert(info.table, InsertColumns(info));
    for (const PlannedRow& planned : rows) {
        if (!ofLevel(planned) || planned.action != PlannedRow::Action::kInsert) continue;
        insert->Add(planned.pk);
        insert->AddUtf8(planned.guid);
        insert->AddUtf8(planned.row->codigo);
        insert->AddUtf8(planned.row->nombre);
        if (info.codigoTelInDataset) insert->AddUtf8(planned.row->codigoTel);
        if (info.parentColumn) insert->Add(planned.parentPk);
        insert->EndRow();
        ++summary.added;
        progress.RowDone();
    }
    insert->Finish();
}

[[noreturn]] void RaiseWriteFailure(const db::DbError& error) {
    const bool conflict = error.failure() == db::Failure::Constraint;
    throw ImportError(conflict ? ImportErrc::kConflict : ImportErrc::kDatabase,
                      std::string(conflict ? "El catálogo ya tiene un registro con un código del "
                                             "archivo; no se importó nada"
                                           : "No se pudo escribir en el catálogo") +
                          " (" + error.what() + ").");
}

}  // namespace

ImportSummary LoadWorld(const WorldData& data, db::Database& db, const ProgressCallback& progress) {
    try {
        db::Transaction transaction(db, db::TransactionKind::Write);
        const Plan plan(db, data);
        std::unique_ptr<db::DeferredSearchIndex> search;
        if (plan.RowsToWrite() >= kRebuildSearchFrom) search = db.DeferSearchIndex();
        ImportSummary summary;
        ProgressReporter reporter(progress, data.counts.total());
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            WriteLevel(db, level, plan.rows(), summary, reporter);
        }
        if (search) search->Finish();
        reporter.Report();
        transaction.Commit();
        summary.counts = data.counts;
        return summary;
    } catch (const db::DbError& error) {
        RaiseWriteFailure(error);
    }
}

ImportSummary LoadWorldIntoCatalog(const std::string& datasetPath, const std::string& location,
                                   const ProgressCallback& progress) {
    const WorldData data = ReadWorldFile(datasetPath);
    const std::unique_ptr<db::Database> db = OpenCatalogDatabase(location);
    return LoadWorld(data, *db, progress);
}

}  // namespace nubex::import
