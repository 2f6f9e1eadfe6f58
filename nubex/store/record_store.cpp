#include "nubex/store/record_store.h"

#include <string>

#include "nubex/errors.h"
#include "nubex/store/identifier.h"
#include "nubex/store/table_sql.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::store {

namespace {

[[noreturn]] void Refuse(const err::ErrorText& error) {
    mundor::rt::Raise(error.number, std::u16string(error.text));
}

// The engine's failures as the library reports them.
[[noreturn]] void RaiseDbError(const db::DbError& error) {
    if (error.failure() == db::Failure::Busy) Refuse(err::kBusy);
    mundor::rt::Raise(err::kDatabaseError.number,
                      std::u16string(err::kDatabaseError.text) +
                          mundor::rt::Utf8ToUtf16(error.what()));
}

template <class Work>
auto Translating(Work&& work) {
    try {
        return work();
    } catch (const db::DbError& error) {
        RaiseDbError(error);
    }
}

Row ReadRow(const db::Statement& statement) {
    Row row;
    row.pk = static_cast<LONG>(statement.Int(0));
    row.guid = statement.Text(1);
    row.parentPk = static_cast<LONG>(statement.Int(2));
    row.codigo = statement.Text(3);
    row.nombre = statement.Text(4);
    row.codigoTel = statement.Text(5);
    row.version = statement.Int(6);
    return row;
}

std::optional<Row> Find(db::Database& db, const TableSpec& spec, Lookup lookup) {
    const TableSql& sql = SqlFor(spec);
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

void CheckParent(db::Database& db, const TableSpec& spec, const Row& row) {
    if (!spec.HasParent()) return;
    if (row.parentPk == 0) Refuse(*spec.parentMissing);
    if (!Exists(db, SqlFor(*spec.parent).exists, row.parentPk)) Refuse(*spec.parentUnknown);
}

void CheckCodeFree(db::Database& db, const TableSpec& spec, const Row& row) {
    auto statement = db.Prepare(SqlFor(spec).codeTaken);
    statement->Bind(1, row.codigo);
    statement->Bind(2, row.pk);
    if (spec.HasParent()) statement->Bind(3, row.parentPk);
    if (statement->Step()) Refuse(*spec.duplicateCode);
}

// A row that is gone, or that has another version than the one read, was changed by someone
// else since it was loaded.
[[noreturn]] void RefuseStale(db::Database& db, const TableSpec& spec, LONG pk) {
    if (Exists(db, SqlFor(spec).exists, pk)) Refuse(err::kModifiedByOther);
    Refuse(err::kDeletedByOther);
}

void BindValues(db::Statement& statement, const TableSpec& spec, const Row& row,
                int firstIndex) {
    statement.Bind(firstIndex, row.codigo);
    statement.Bind(firstIndex + 1, row.nombre);
    if (spec.hasCodigoTel) statement.Bind(firstIndex + 2, row.codigoTel);
    if (spec.HasParent()) statement.Bind(firstIndex + 3, row.parentPk);
}

void Insert(db::Database& db, const TableSpec& spec, Row& row) {
    row.guid = NewIdentifier();
    auto statement = db.Prepare(SqlFor(spec).insert);
    statement->Bind(1, row.guid);
    BindValues(*statement, spec, row, 2);
    if (!statement->Step()) throw db::DbError(db::Failure::Other, "INSERT returned no key");
    row.pk = static_cast<LONG>(statement->Int(0));
    row.version = statement->Int(1);
}

void Update(db::Database& db, const TableSpec& spec, Row& row) {
    auto statement = db.Prepare(SqlFor(spec).update);
    BindValues(*statement, spec, row, 1);
    statement->Bind(5, row.pk);
    statement->Bind(6, row.version);
    if (!statement->Step()) RefuseStale(db, spec, row.pk);
    row.version = statement->Int(0);
}

}  // namespace

std::optional<std::vector<Row>> LoadWithParents(db::Database& db, const TableSpec& spec,
                                                Lookup lookup) {
    if (lookup.pk == 0 && lookup.guid.empty()) return std::nullopt;
    return Translating([&]() -> std::optional<std::vector<Row>> {
        db::Transaction snapshot(db, db::TransactionKind::Read);
        std::optional<Row> row = Find(db, spec, lookup);
        if (!row) return std::nullopt;
        std::vector<Row> chain{*row};
        for (const TableSpec* level = spec.parent; level; level = level->parent) {
            // The foreign keys keep every parent in place; an empty row stands in all the same.
            chain.push_back(Find(db, *level, {chain.back().parentPk, {}}).value_or(Row{}));
        }
        return chain;
    });
}

void Store(db::Database& db, const TableSpec& spec, Row& row) {
    Row stored = row;
    Translating([&] {
        db::Transaction transaction(db, db::TransactionKind::Write);
        CheckParent(db, spec, stored);
        CheckCodeFree(db, spec, stored);
        if (stored.pk == 0) {
            Insert(db, spec, stored);
        } else {
            Update(db, spec, stored);
        }
        transaction.Commit();
    });
    row = std::move(stored);
}

void Remove(db::Database& db, const TableSpec& spec, const Row& row) {
    if (row.pk == 0) Refuse(err::kNothingToDelete);
    Translating([&] {
        db::Transaction transaction(db, db::TransactionKind::Write);
        if (spec.child && Exists(db, SqlFor(spec).hasChildren, row.pk)) {
            Refuse(*spec.hasDependents);
        }
        auto statement = db.Prepare(SqlFor(spec).remove);
        statement->Bind(1, row.pk);
        statement->Bind(2, row.version);
        if (!statement->Step()) RefuseStale(db, spec, row.pk);
        statement.reset();
        transaction.Commit();
    });
}

std::vector<Row> Children(db::Database& db, const TableSpec& spec, LONG parentPk) {
    return Translating([&] {
        auto statement = db.Prepare(SqlFor(spec).selectChildren);
        if (spec.HasParent()) statement->Bind(1, parentPk);
        std::vector<Row> rows;
        while (statement->Step()) rows.push_back(ReadRow(*statement));
        return rows;
    });
}

}  // namespace nubex::store
