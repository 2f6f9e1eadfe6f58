// A view: rows read when the view is made, walked by a forward cursor, with fields by name. The
// catalog's views of one table (V_Pais, V_EdoProv, V_Ciudades) and its search (V_Buscar) differ
// only in their rows.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "contracts/data_objects.h"
#include "nubex/backend/database.h"
#include "nubex/store/table_info.h"
#include "runtime/object.h"
#include "runtime/variant.h"

namespace nubex::com {

class ViewRows {
  public:
    virtual ~ViewRows() = default;
    virtual std::size_t size() const = 0;
    // A field of one row, its name matched without regard to case; raises kNoSuchField for a
    // field the rows do not have.
    virtual mundor::rt::Variant Field(std::size_t row, std::u16string_view name) const = 0;
};

[[noreturn]] void RaiseNoSuchField(std::u16string_view name);

// The rows of one table under one parent, read now, in name order, with the fields Sys_PK,
// Sys_GUID, Codigo, Nombre, the parent key (IPais, Estado) and CodigoTel where the table has one.
std::unique_ptr<const ViewRows> ReadTableRows(db::Database& db, const store::TableInfo& table,
                                              LONG parentPk);

class ViewObject final : public mundor::rt::DispatchObject<ViewObject, nubex::View> {
  public:
    explicit ViewObject(std::unique_ptr<const ViewRows> rows);
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_EOF(VARIANT_BOOL* result) override;
    HRESULT MoveNext() override;
    HRESULT Item(VARIANT* fieldName, VARIANT* result) override;

  private:
    std::size_t CurrentRow() const;

    std::unique_ptr<const ViewRows> rows_;
    std::size_t position_ = 0;
};

}  // namespace nubex::com
