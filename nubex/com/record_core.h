// What a record object knows and does, apart from the COM plumbing: its values, its connection,
// its parent record (a state's country, a city's state) and its last failure.
//
//  - Load by key when the key is not 0, by identifier otherwise. A load also loads the parent
//    records, and hands the connection it used to them. A load that finds nothing changes
//    nothing.
//  - Save inserts when Sys_PK is 0 and updates otherwise, taking the parent from the parent
//    record's Sys_PK. A refusal answers false with ErrorCode and ErrorDescription set.
//  - Delete raises on a refusal; afterwards the object keeps its texts with Sys_PK 0 and no
//    identifier, like a record never stored.
#pragma once

#include <memory>
#include <string>

#include "nubex/backend/database.h"
#include "nubex/store/record_store.h"
#include "nubex/store/row.h"
#include "nubex/store/table_info.h"
#include "runtime/error.h"

namespace nubex::com {

class RecordCore {
  public:
    RecordCore(const store::TableInfo& table, RecordCore* parent)
        : table_(table), parent_(parent) {}
    RecordCore(const RecordCore&) = delete;
    RecordCore& operator=(const RecordCore&) = delete;

    const store::Row& row() const { return row_; }
    void SetCodigo(std::u16string_view text) { row_.codigo = text; }
    void SetNombre(std::u16string_view text) { row_.nombre = text; }
    void SetCodigoTel(std::u16string_view text) { row_.codigoTel = text; }
    LONG errorCode() const { return errorCode_; }
    const std::u16string& errorDescription() const { return errorDescription_; }

    // The record and its parent records use this database from now on (null: none).
    void SetConnection(std::shared_ptr<db::Database> database);
    void NewRecord();
    // `given` null: the record's own connection.
    bool Load(store::Lookup lookup, std::shared_ptr<db::Database> given);
    bool Save();
    void Delete();

  private:
    db::Database& RequireConnection() const;
    void Apply(const std::vector<store::Row>& chain, std::size_t level,
               const std::shared_ptr<db::Database>& database);
    void ClearError();
    void Remember(const mundor::rt::RuntimeError& error);

    const store::TableInfo& table_;
    RecordCore* parent_;
    store::Row row_;
    std::shared_ptr<db::Database> database_;
    LONG errorCode_ = 0;
    std::u16string errorDescription_;
};

}  // namespace nubex::com
