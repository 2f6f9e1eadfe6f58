// What the record objects and the world importer need of a database engine: a connection that
// prepares statements and runs transactions, statements that bind values and read rows, and a
// bulk insert for loading many rows at once. SQLite (sqlite/) and PostgreSQL (pg/) implement it.
//
// SQL given to Prepare uses numbered placeholders "?1", "?2", ... (a backend whose engine writes
// them otherwise rewrites them) and only the dialect both engines share, RETURNING included. Values
// always go through Bind: no statement is ever built from a value.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "nubex/search.h"

namespace nubex::db {

// Why the engine refused a statement, as far as the records care.
enum class Failure {
    Busy,            // another connection holds the lock past the busy timeout
    Constraint,      // a uniqueness, foreign-key or check constraint
    ConnectionLost,  // the server is down, restarted or unreachable; the next operation reconnects
    UnstorableText,  // a text the engine cannot hold exactly (PostgreSQL: NUL, lone surrogates)
    FileGone,        // the catalog file was deleted or replaced since it was opened
    ReadOnly,        // the catalog can be read but not written
    Other,
};

class DbError : public std::runtime_error {
  public:
    DbError(Failure failure, const std::string& message)
        : std::runtime_error(message), failure_(failure) {}
    Failure failure() const { return failure_; }

  private:
    Failure failure_;
};

class Statement {
  public:
    virtual ~Statement() = default;
    // Parameters are numbered from 1. Binding again after Step starts a new run with the new
    // values (those not bound again are kept).
    virtual void Bind(int index, std::int64_t value) = 0;
    virtual void Bind(int index, std::u16string_view text) = 0;
    // Text already in UTF-8, as files and command lines give it.
    virtual void BindUtf8(int index, std::string_view text) = 0;
    // Runs to the next row: true while a row is ready, false once the statement is done.
    virtual bool Step() = 0;
    // Columns of the current row, numbered from 0. NULL reads as 0 or as the empty text.
    virtual std::int64_t Int(int column) const = 0;
    virtual std::u16string Text(int column) const = 0;
    // Adds the column's text to the end of `to`; for reading many rows into one buffer.
    virtual void AppendText(int column, std::u16string& to) const { to += Text(column); }
    virtual std::string TextUtf8(int column) const = 0;
};

enum class TransactionKind {
    Read,   // a consistent snapshot for several reads
    Write,  // takes the write lock at once, so a store never fails half way for a lock
};

// Rows appended to one table, field by field, inside the current write transaction: as fast as
// the engine loads rows (PostgreSQL: COPY; SQLite: one prepared INSERT). The columns are fixed
// identifiers given when it starts; the values are data and never become SQL.
class BulkInsert {
  public:
    virtual ~BulkInsert() = default;  // without Finish: the rows are abandoned
    virtual void Add(std::int64_t value) = 0;
    virtual void AddUtf8(std::string_view text) = 0;
    virtual void EndRow() = 0;
    // Every row is in; raises what the engine refused (a constraint, say).
    virtual void Finish() = 0;
};

// A search (nubex/search.h) in the engine's own query language: one query per kind of match,
// each of which finds the rows of that kind only. All empty when the text has no words.
struct SearchTerms {
    std::string exact;
    std::string prefix;
    std::string word;

    bool empty() const { return exact.empty(); }
    const std::string& For(MatchKind kind) const {
        return kind == MatchKind::Exact ? exact : kind == MatchKind::Prefix ? prefix : word;
    }
};

// Inside a write transaction that loads many rows: the search indexes stop following every row
// written and are rebuilt whole by Finish, which is much faster for a large load. Without
// Finish the transaction must roll back. An engine that keeps its indexes in step cheaply row by
// row does nothing.
class DeferredSearchIndex {
  public:
    virtual ~DeferredSearchIndex() = default;
    virtual void Finish() = 0;
};

class Database {
  public:
    virtual ~Database() = default;
    virtual std::u16string_view BackendName() const = 0;
    virtual std::unique_ptr<Statement> Prepare(std::string_view sql) = 0;
    virtual void Begin(TransactionKind kind) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;

    // Inside a write transaction: the first of `count` consecutive keys of `table` that no row
    // has had and no later insert will get, for rows that a BulkInsert then stores with them.
    virtual std::int64_t ReserveKeys(std::string_view table, std::int64_t count) = 0;
    // `columns`: "Sys_PK, Sys_GUID, ..." in the order the fields are added.
    virtual std::unique_ptr<BulkInsert> StartBulkInsert(std::string_view table,
                                                        std::string_view columns) = 0;

    // The text split into words and folded by the engine's own rules, the same ones its search
    // indexes use, and written as its queries.
    virtual SearchTerms PrepareSearch(std::u16string_view text) = 0;
    // SQL that holds for a row of `table` (columns unqualified) whose kind of match is `kind`,
    // given that kind's query as the parameter of its number (?1 exact, ?2 prefix, ?3 word).
    virtual std::string SearchCondition(std::string_view table, MatchKind kind) const = 0;
    virtual std::unique_ptr<DeferredSearchIndex> DeferSearchIndex() = 0;
};

// One transaction: rolled back when it goes out of scope without Commit.
class Transaction {
  public:
    Transaction(Database& db, TransactionKind kind) : db_(db) { db_.Begin(kind); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction() {
        if (open_) db_.Rollback();
    }
    void Commit() {
        db_.Commit();
        open_ = false;
    }

  private:
    Database& db_;
    bool open_ = true;
};

}  // namespace nubex::db
