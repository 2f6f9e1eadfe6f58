#include "nubex/pg/pg_bulk_insert.h"

#include "nubex/pg/pg_database.h"
#include "nubex/pg/pg_handles.h"
#include "nubex/pg/pg_text.h"

namespace nubex::pg {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

// COPY's text format: a backslash, tab, newline or carriage return inside a field is escaped.
void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
}

}  // namespace

PgBulkInsert::PgBulkInsert(PgDatabase& owner, std::string_view table, std::string_view columns)
    : owner_(owner) {
    const std::string sql =
        "COPY " + std::string(table) + " (" + std::string(columns) + ") FROM STDIN";
    PgResult result(PQexec(owner_.Live(), sql.c_str()));
    if (PQresultStatus(result.get()) != PGRES_COPY_IN) owner_.Fail(result.get());
    open_ = true;
    buffer_.reserve(kChunkBytes + 4096);
}

PgBulkInsert::~PgBulkInsert() {
    if (!open_) return;
    // Abandoned: the server ends the COPY with an error and the transaction is rolled back.
    PQputCopyEnd(owner_.Raw(), "importación abandonada");
    DrainResults();
}

void PgBulkInsert::StartField() {
    if (rowStarted_) buffer_ += '\t';
    rowStarted_ = true;
}

void PgBulkInsert::Add(std::int64_t value) {
    StartField();
    buffer_ += std::to_string(value);
}

void PgBulkInsert::AddUtf8(std::string_view text) {
    StartField();
    AppendEscaped(buffer_, CheckedServerText(text));
}

void PgBulkInsert::EndRow() {
    buffer_ += '\n';
    rowStarted_ = false;
    if (buffer_.size() >= kChunkBytes) Send();
}

void PgBulkInsert::Send() {
    if (buffer_.empty()) return;
    if (PQputCopyData(owner_.Raw(), buffer_.data(), static_cast<int>(buffer_.size())) != 1) {
        open_ = false;
        owner_.Fail(nullptr);
    }
    buffer_.clear();
}

void PgBulkInsert::Finish() {
    Send();
    open_ = false;
    PGconn* connection = owner_.Raw();
    if (PQputCopyEnd(connection, nullptr) != 1) owner_.Fail(nullptr);
    PgResult result(PQgetResult(connection));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        DrainResults();
        owner_.Fail(result.get());
    }
    DrainResults();
}

void PgBulkInsert::DrainResults() {
    while (PgResult more{PQgetResult(owner_.Raw())}) {
    }
}

}  // namespace nubex::pg
