#include "nubex/com/record_core.h"

#include "nubex/errors.h"

namespace nubex::com {

namespace rt = mundor::rt;

void RecordCore::SetConnection(std::shared_ptr<db::Database> database) {
    if (parent_) parent_->SetConnection(database);
    database_ = std::move(database);
}

void RecordCore::NewRecord() {
    row_ = store::Row{};
    ClearError();
}

bool RecordCore::Load(store::Lookup lookup, std::shared_ptr<db::Database> given) {
    // Key 0 with no identifier names no record: nothing to find, with or without a connection.
    // The edit dialogs load a parent this way when they were given no parent key.
    if (lookup.pk == 0 && lookup.guid.empty()) return false;
    std::shared_ptr<db::Database> database = given ? std::move(given) : database_;
    if (!database) rt::Raise(err::kNotConnected.number, std::u16string(err::kNotConnected.text));
    const auto chain = store::LoadWithParents(*database, table_, lookup);
    if (!chain) return false;
    Apply(*chain, 0, database);
    return true;
}

bool RecordCore::Save() {
    ClearError();
    try {
        store::Row row = row_;
        row.parentPk = parent_ ? parent_->row_.pk : 0;
        store::Store(RequireConnection(), table_, row);
        row_ = std::move(row);
        return true;
    } catch (const rt::RuntimeError& error) {
        Remember(error);
        return false;
    }
}

void RecordCore::Delete() {
    ClearError();
    try {
        store::Remove(RequireConnection(), table_, row_);
    } catch (const rt::RuntimeError& error) {
        Remember(error);
        throw;
    }
    row_.pk = 0;
    row_.guid.clear();
    row_.version = 0;
}

db::Database& RecordCore::RequireConnection() const {
    if (!database_) rt::Raise(err::kNotConnected.number, std::u16string(err::kNotConnected.text));
    return *database_;
}

void RecordCore::Apply(const std::vector<store::Row>& chain, std::size_t level,
                       const std::shared_ptr<db::Database>& database) {
    row_ = chain[level];
    database_ = database;
    ClearError();
    if (parent_ && level + 1 < chain.size()) parent_->Apply(chain, level + 1, database);
}

void RecordCore::ClearError() {
    errorCode_ = 0;
    errorDescription_.clear();
}

void RecordCore::Remember(const rt::RuntimeError& error) {
    errorCode_ = error.number();
    errorDescription_ = error.description();
}

}  // namespace nubex::com
