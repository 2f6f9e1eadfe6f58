// The connection object a catalog hands out as ADOCnn. It carries the open database to the
// records; a record finds the database behind a connection through a private interface that
// only this library's connections answer.
#pragma once

#include <memory>

#include "contracts/data_objects.h"
#include "nubex/backend/database.h"
#include "runtime/object.h"

namespace nubex::com {

class ConnectionObject final
    : public mundor::rt::DispatchObject<ConnectionObject, nubex::Connection> {
  public:
    explicit ConnectionObject(std::shared_ptr<db::Database> database);
    static const mundor::rt::DispatchTableBase& Table();
    bool QueryExtraInterface(REFIID riid, void** ppv);

    HRESULT get_Backend(BSTR* result) override;

    const std::shared_ptr<db::Database>& database() const { return database_; }

    // The database behind a connection: null for no connection; raises when the connection
    // comes from somewhere else.
    static std::shared_ptr<db::Database> DatabaseOf(nubex::Connection* connection);

  private:
    std::shared_ptr<db::Database> database_;
};

}  // namespace nubex::com
