// A view: the rows of one table under one parent, read when the view is made and listed in
// name order. A forward cursor with fields by name: Sys_PK, Sys_GUID, Codigo, Nombre, the
// parent key (IPais, Estado) and CodigoTel where the table has one.
#pragma once

#include <vector>

#include "contracts/data_objects.h"
#include "nubex/store/row.h"
#include "nubex/store/table_info.h"
#include "runtime/object.h"

namespace nubex::com {

class ViewObject final : public mundor::rt::DispatchObject<ViewObject, nubex::View> {
  public:
    ViewObject(const store::TableInfo& table, std::vector<store::Row> rows);
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_EOF(VARIANT_BOOL* result) override;
    HRESULT MoveNext() override;
    HRESULT Item(VARIANT* fieldName, VARIANT* result) override;

  private:
    const store::Row& CurrentRow() const;

    const store::TableInfo& table_;
    std::vector<store::Row> rows_;
    std::size_t position_ = 0;
};

}  // namespace nubex::com
