// What the record objects need of a database engine: a connection that prepares statements and
// runs transactions, and statements that bind values and read rows. SQLite implements it today;
// a PostgreSQL backend implements the same three classes.
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

namespace nubex::db {

// Why the engine refused a statement, as far as the records care.
enum class Failure {
    Busy,        // another connection holds the lock past the busy timeout
    Constraint,  // a uniqueness, foreign-key or check constraint
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
    // Parameters are numbered from 1.
    virtual void Bind(int index, std::int64_t value) = 0;
    virtual void Bind(int index, std::u16string_view text) = 0;
    // Runs to the next row: true while a row is ready, false once the statement is done.
    virtual bool Step() = 0;
    // Columns of the current row, numbered from 0. NULL reads as 0 or as the empty text.
    virtual std::int64_t Int(int column) const = 0;
    virtual std::u16string Text(int column) const = 0;
};

enum class TransactionKind {
    Read,   // a consistent snapshot for several reads
    Write,  // takes the write lock at once, so a store never fails half way for a lock
};

class Database {
  public:
    virtual ~Database() = default;
    virtual std::u16string_view BackendName() const = 0;
    virtual std::unique_ptr<Statement> Prepare(std::string_view sql) = 0;
    virtual void Begin(TransactionKind kind) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;
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
