#include "nubex/store/record_store.h"

#include <string>

#include "nubex/errors.h"
#include "nubex/store/db_errors.h"
#include "nubex/store/identifier.h"
#include "nubex/store/stored_key.h"
#include "nubex/store/table_sql.h"
#include "runtime/error.h"

namespace nubex::store {

namespace {

[[noreturn]] void Refuse(const err::ErrorText& error) {
    mundor::rt::Raise(error.number, std::u16string(error.text));
}

Row ReadRow(const db::Statement& statement) {
    Row row;
    row.pk = StoredKey(statement.Int(0));
    row.guid = statement.Text(1);
    row.parentPk = StoredParentKey(statement.Int(2));
    row.codigo = statement.Text(3);
    row.nombre = statement.Text(4);
    row.codigoTel = statement.Text(5);
    row.version = statement.Int(6);
    return row;
}

std::optional<Row> Find(db::Database& db, const TableInfo& table, Lookup lookup) {
    const TableSql& sql = SqlFor(table);
    auto statement = db.Prepare(lookup.pk != 0 ? sql.selectByKey : sql.selectByGuid);
    if (lookup.pk != 0) {
        statement->Bind(1, lookup.pk);
    } else {
        statement->Bind(1, lookup.guid);
    }
    if (!statement->Step()) return std::nullopt;
    return ReadRow(*statement);
}

bool Exists(db::Database& db, const std::string& sql, LONG pk) {
    auto statement = db.Prepare(sql);
    statement->Bind(1, pk);
    return statement->Step();
}

// A stored row that is gone, or that has another version than the one read, was changed by
// someone else since it was loaded.
void CheckCurrent(db::Database& db, const TableInfo& table, const Row& row) {
    auto statement = db.Prepare(SqlFor(table).versionOf);
    statement->Bind(1, row.pk);
    if (!statement->Step()) Refuse(err::kDeletedByOther);
    if (statement->Int(0) != row.version) Refuse(err::kModifiedByOther);
}

void CheckParent(db::Database& db, const TableInfo& table, const Row& row) {
    if (!table.HasParent()) return;
    if (row.parentPk == 0) Refuse(*table.parentMissing);
    if (!Exists(db, SqlFor(*table.parent).versionOf, row.parentPk)) Refuse(*table.parentUnknown);
}

void CheckCodeFree(db::Database& db, const TableInfo& table, const Row& row) {
    auto statement = db.Prepare(SqlFor(table).codeTaken);
    statement->Bind(1, row.codigo);
    statement->Bind(2, row.pk);
    if (table.HasParent()) statement->Bind(3, row.parentPk);
    if (statement->Step()) Refuse(*table.duplicateCode);
}

void BindValues(db::Statement& statement, const TableInfo& table, const Row& row, int firstIndex) {
    statement.Bind(firstIndex, row.codigo);
    statement.Bind(firstIndex + 1, row.nombre);
    if (table.hasCodigoTel) statement.Bind(firstIndex + 2, row.codigoTel);
    if (table.HasParent()) statement.Bind(firstIndex + 3, row.parentPk);
}

void Insert(db::Database& db, const TableInfo& table, Row& row) {
    row.guid = NewIdentifier();
    auto statement = db.Prepare(SqlFor(table).insert);
    statement->Bind(1, row.guid);
    BindValues(*statement, table, row, 2);
    if (!statement->Step()) throw db::DbError(db::Failure::Other, "INSERT returned no key");
    row.pk = StoredKey(statement->Int(0));
    row.version = statement->Int(1);
}

void Update(db::Database& db, const TableInfo& table, Row& row) {
    auto statement = db.Prepare(SqlFor(table).update);
    BindValues(*statement, table, row, 1);
    statement->Bind(5, row.pk);
    statement->Bind(6, row.version);
    // CheckCurrent has already seen this version under the same write lock.
    if (!statement->Step()) Refuse(err::kModifiedByOther);
    row.version = statement->Int(0);
}

}  // namespace

std::optional<std::vector<Row>> LoadWithParents(db::Database& db, const TableInfo& table,
                                                Lookup lookup) {
    if (lookup.pk == 0 && lookup.guid.empty()) return std::nullopt;
    return Translating([&]() -> std::optional<std::vector<Row>> {
        db::Transaction snapshot(db, db::TransactionKind::Read);
        std::optional<Row> row = Find(db, table, lookup);
        if (!row) return std::nullopt;
        std::vector<Row> chain{*row};
        for (const TableInfo* level = table.parent; level; level = level->parent) {
            // The foreign keys keep every parent in place; an empty row stands in all the same.
            chain.push_back(Find(db, *level, {chain.back().parentPk, {}}).value_or(Row{}));
        }
        return chain;
    });
}

void Store(db::Database& db, const TableInfo& table, Row& row) {
    Row stored = row;
    Translating([&] {
        db::Transaction transaction(db, db::TransactionKind::Write);
        if (stored.pk != 0) CheckCurrent(db, table, stored);
        CheckParent(db, table, stored);
        CheckCodeFree(db, table, stored);
        if (stored.pk == 0) {
            Insert(db, table, stored);
        } else {
            Update(db, table, stored);
        }
        transaction.Commit();
    });
    row = std::move(stored);
}

void Remove(db::Database& db, const TableInfo& table, const Row& row) {
    if (row.pk == 0) Refuse(err::kNothingToDelete);
    Translating([&] {
        db::Transaction transaction(db, db::TransactionKind::Write);
        CheckCurrent(db, table, row);
        if (table.child && Exists(db, SqlFor(table).hasChildren, row.pk)) {
            Refuse(*table.hasDependents);
        }
        auto statement = db.Prepare(SqlFor(table).remove);
        statement->Bind(1, row.pk);
        statement->Bind(2, row.version);
        if (!statement->Step()) Refuse(err::kModifiedByOther);
        statement.reset();
        transaction.Commit();
    });
}

void ReadChildren(db::Database& db, const TableInfo& table, LONG parentPk,
                  const ChildReader& take) {
    Translating([&] {
        auto statement = db.Prepare(SqlFor(table).selectChildren);
        if (table.HasParent()) statement->Bind(1, parentPk);
        while (statement->Step()) {
            take(StoredKey(statement->Int(0)), StoredParentKey(statement->Int(2)), *statement);
        }
    });
}

}  // namespace nubex::store
