#include "nubex/import/world_loader.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "nubex/import/catalog_database.h"
#include "nubex/import/import_error.h"
#include "nubex/import/import_memory.h"
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
enum class Action {
    kInsert,  // new to the catalog (or, when overwriting, deleted by a user and brought back)
    kUpdate,  // there, and gets the file's values
    kKeep,    // there, and stays as it is
    kSkip,    // deleted by a user, or under a row that is: not brought back
};

struct PlannedRow {
    const WorldRow* row = nullptr;
    std::string guid;
    std::int64_t pk = 0;  // 0 for a row that is skipped
    std::int64_t parentPk = 0;
    Action action = Action::kInsert;
};

// The file's rows sorted into inserts, updates, rows to keep and rows to skip, with every key and
// parent key known before anything is written: new rows get keys the database reserved for them.
// A row still as the last import wrote it takes the file's values; a row a user changed keeps
// the user's, and a row a user deleted stays deleted, unless the caller asked to overwrite.
class Plan {
  public:
    Plan(db::Database& db, const WorldData& data, const ImportOptions& options,
         ImportSummary& summary)
        : memory_(db), overwrite_(options.overwrite), summary_(summary) {
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            stored_[level] = ReadStored(db, kLevels[level]);
            for (const auto& [guid, stored] : stored_[level]) guidOf_[level][stored.pk] = guid;
        }
        const WorldGuid guids(data.guidNamespace);
        rows_.reserve(data.rows.size());
        for (const WorldRow& row : data.rows) {
            PlannedRow& planned = rows_.emplace_back();
            planned.row = &row;
            planned.guid = guids.For(row.kind, row.id);
        }
        std::array<std::int64_t, 3> newRows{};
        Decide(newRows);
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            nextKey_[level] = db.ReserveKeys(kLevels[level].table, newRows[level]);
        }
        AssignNewKeys();
        CheckCodes();
        CountUsersRows();
    }

    const std::vector<PlannedRow>& rows() const { return rows_; }
    const ImportMemory& memory() const { return memory_; }
    std::int64_t RowsToWrite() const {
        return std::count_if(rows_.begin(), rows_.end(), [](const PlannedRow& planned) {
            return planned.action == Action::kInsert || planned.action == Action::kUpdate;
        });
    }

  private:
    // In file order (a country, its states, each state followed by its cities), so that each
    // row's parent is decided before it.
    void Decide(std::array<std::int64_t, 3>& newRows) {
        std::array<const PlannedRow*, 3> current{};
        for (PlannedRow& planned : rows_) {
            const std::size_t level = LevelOf(planned.row->kind);
            const PlannedRow* parent = level == 0 ? nullptr : current[level - 1];
            current[level] = &planned;
            const std::int64_t digest = FileDigest(level, planned, parent);
            const ImportMemory::Key key{static_cast<int>(level + 1), planned.row->id};
            const auto found = stored_[level].find(planned.guid);
            if (found != stored_[level].end()) found->second.inFile = true;
            if (parent != nullptr && parent->action == Action::kSkip) {
                planned.action = Action::kSkip;
                planned.pk = found == stored_[level].end() ? 0 : found->second.pk;
                ++(planned.pk ? summary_.keptUserChanges : summary_.notRestored);
                continue;
            }
            planned.parentPk = parent ? parent->pk : 0;
            if (found == stored_[level].end()) {
                DecideAbsent(planned, key, digest, newRows[level]);
            } else {
                planned.pk = found->second.pk;
                DecidePresent(level, planned, found->second, key, digest);
            }
        }
    }

    void DecideAbsent(PlannedRow& planned, const ImportMemory::Key& key, std::int64_t digest,
                      std::int64_t& newRows) {
        const bool deletedByUser = memory_.Find(key) != nullptr;
        if (deletedByUser && !overwrite_) {
            planned.action = Action::kSkip;
            ++summary_.notRestored;
            return;
        }
        planned.action = Action::kInsert;
        ++(deletedByUser ? summary_.restored : summary_.added);
        ++newRows;
        memory_.Remember(key, digest);
    }

    void DecidePresent(std::size_t level, PlannedRow& planned, const StoredRow& stored,
                       const ImportMemory::Key& key, std::int64_t digest) {
        const std::int64_t* imported = memory_.Find(key);
        const std::int64_t now = StoredDigest(level, stored);
        if (now == digest) {
            planned.action = Action::kKeep;
            ++summary_.unchanged;
        } else if (imported != nullptr && *imported == now) {
            planned.action = Action::kUpdate;
            ++summary_.updated;
        } else if (overwrite_) {
            planned.action = Action::kUpdate;
            ++summary_.restored;
        } else {
            // Changed by a user, or there before the catalog remembered its imports: the values
            // in the catalog are the user's, and stay.
            planned.action = Action::kKeep;
            ++summary_.keptUserChanges;
            return;
        }
        memory_.Remember(key, digest);
    }

    std::int64_t FileDigest(std::size_t level, const PlannedRow& planned,
                            const PlannedRow* parent) const {
        const WorldRow& row = *planned.row;
        return RowDigest(row.codigo, row.nombre,
                         kLevels[level].codigoTelInDataset ? row.codigoTel : std::string_view(),
                         parent ? std::string_view(parent->guid) : std::string_view());
    }

    std::int64_t StoredDigest(std::size_t level, const StoredRow& stored) const {
        std::string_view parentGuid;
        if (level > 0) {
            const auto& parents = guidOf_[level - 1];
            if (auto found = parents.find(stored.parentPk); found != parents.end()) {
                parentGuid = found->second;
            }
        }
        return RowDigest(stored.codigo, stored.nombre, stored.codigoTel, parentGuid);
    }

    void AssignNewKeys() {
        std::array<const PlannedRow*, 3> current{};
        for (PlannedRow& planned : rows_) {
            const std::size_t level = LevelOf(planned.row->kind);
            if (planned.action == Action::kInsert) planned.pk = nextKey_[level]++;
            if (level > 0 && planned.action != Action::kKeep && planned.action != Action::kSkip) {
                planned.parentPk = current[level - 1]->pk;
            }
            current[level] = &planned;
        }
    }

    using TakenCodes = std::set<std::pair<std::int64_t, std::string>>;  // (parent key, code)

    // The rows the import writes must not take a code that a row it leaves alone keeps: a row
    // users added (the file does not have it) or a row it keeps or skips. Rows it writes give
    // up their old codes.
    void CheckCodes() const {
        std::array<std::set<std::string>, 3> written;
        for (const PlannedRow& planned : rows_) {
            if (planned.action == Action::kInsert || planned.action == Action::kUpdate) {
                written[LevelOf(planned.row->kind)].insert(planned.guid);
            }
        }
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            TakenCodes taken;
            for (const auto& [guid, stored] : stored_[level]) {
                if (!written[level].count(guid) && !stored.codigo.empty()) {
                    taken.emplace(stored.parentPk, stored.codigo);
                }
            }
            for (const PlannedRow& planned : rows_) {
                if (LevelOf(planned.row->kind) == level && written[level].count(planned.guid)) {
                    CheckCodeFree(level, planned, taken);
                }
            }
        }
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

    void CountUsersRows() {
        for (const StoredRows& level : stored_) {
            summary_.usersRows += std::count_if(
                level.begin(), level.end(), [](const auto& entry) { return !entry.second.inFile; });
        }
    }

    ImportMemory memory_;
    const bool overwrite_;
    ImportSummary& summary_;
    std::array<StoredRows, 3> stored_;
    std::array<std::unordered_map<std::int64_t, std::string>, 3> guidOf_;  // Sys_PK -> Sys_GUID
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
                ProgressReporter& progress) {
    const Level& info = kLevels[level];
    const auto ofLevel = [level](const PlannedRow& planned) {
        return LevelOf(planned.row->kind) == level;
    };
    auto update = db.Prepare(UpdateSql(info));
    for (const PlannedRow& planned : rows) {
        if (!ofLevel(planned) || planned.action == Action::kInsert) continue;
        if (planned.action == Action::kUpdate) {
            update->Bind(1, planned.pk);
            update->BindUtf8(2, planned.row->codigo);
            update->BindUtf8(3, planned.row->nombre);
            update->BindUtf8(4, planned.row->codigoTel);
            update->Bind(5, planned.parentPk);
            update->Step();
        }
        progress.RowDone();
    }
    auto insert = db.StartBulkInsert(info.table, InsertColumns(info));
    for (const PlannedRow& planned : rows) {
        if (!ofLevel(planned) || planned.action != Action::kInsert) continue;
        insert->Add(planned.pk);
        insert->AddUtf8(planned.guid);
        insert->AddUtf8(planned.row->codigo);
        insert->AddUtf8(planned.row->nombre);
        if (info.codigoTelInDataset) insert->AddUtf8(planned.row->codigoTel);
        if (info.parentColumn) insert->Add(planned.parentPk);
        insert->EndRow();
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

ImportSummary LoadWorld(const WorldData& data, db::Database& db, const ProgressCallback& progress,
                        const ImportOptions& options) {
    try {
        db::Transaction transaction(db, db::TransactionKind::Write);
        ImportSummary summary;
        const Plan plan(db, data, options, summary);
        std::unique_ptr<db::DeferredSearchIndex> search;
        if (plan.RowsToWrite() >= kRebuildSearchFrom) search = db.DeferSearchIndex();
        ProgressReporter reporter(progress, data.counts.total());
        for (std::size_t level = 0; level < kLevels.size(); ++level) {
            WriteLevel(db, level, plan.rows(), reporter);
        }
        plan.memory().Save(db);
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
                                   const ProgressCallback& progress, const ImportOptions& options) {
    const WorldData data = ReadWorldFile(datasetPath);
    const std::unique_ptr<db::Database> db = OpenCatalogDatabase(location);
    return LoadWorld(data, *db, progress, options);
}

}  // namespace nubex::import
