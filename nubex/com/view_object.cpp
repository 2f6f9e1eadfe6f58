#include "nubex/com/view_object.h"

#include "nubex/com/abi.h"
#include "nubex/com/module.h"
#include "nubex/errors.h"
#include "runtime/variant.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

class TableViewRows final : public ViewRows {
  public:
    TableViewRows(const store::TableInfo& table, std::vector<store::Row> rows)
        : table_(table), rows_(std::move(rows)) {}

    std::size_t size() const override { return rows_.size(); }

    rt::Variant Field(std::size_t index, std::u16string_view name) const override {
        const store::Row& row = rows_[index];
        if (rt::SameMemberName(name, u"Sys_PK")) return rt::Variant(row.pk);
        if (rt::SameMemberName(name, u"Sys_GUID")) return rt::Variant(row.guid);
        if (rt::SameMemberName(name, u"Codigo")) return rt::Variant(row.codigo);
        if (rt::SameMemberName(name, u"Nombre")) return rt::Variant(row.nombre);
        if (table_.hasCodigoTel && rt::SameMemberName(name, u"CodigoTel")) {
            return rt::Variant(row.codigoTel);
        }
        if (table_.HasParent()) {
            const std::u16string parentColumn(table_.parentColumn.begin(),
                                              table_.parentColumn.end());
            if (rt::SameMemberName(name, parentColumn)) return rt::Variant(row.parentPk);
        }
        RaiseNoSuchField(name);
    }

  private:
    const store::TableInfo& table_;
    std::vector<store::Row> rows_;
};

}  // namespace

void RaiseNoSuchField(std::u16string_view name) {
    rt::Raise(err::kNoSuchField.number,
              std::u16string(err::kNoSuchField.text) + std::u16string(name));
}

std::unique_ptr<const ViewRows> TableRows(const store::TableInfo& table,
                                          std::vector<store::Row> rows) {
    return std::make_unique<TableViewRows>(table, std::move(rows));
}

ViewObject::ViewObject(std::unique_ptr<const ViewRows> rows)
    : DispatchObject(Module()), rows_(std::move(rows)) {}

const rt::DispatchTableBase& ViewObject::Table() {
    static const rt::DispatchTable<ViewObject> table{
        {u"Item",
         DISPID_VALUE,
         rt::MemberKind::Get,
         {rt::Var(u"fieldName")},
         VT_VARIANT,
         [](ViewObject& self, rt::Frame& f) { return self.Item(f.Var(0), f.RetVar()); }},
        {u"EOF",
         1,
         rt::MemberKind::Get,
         {},
         VT_BOOL,
         [](ViewObject& self, rt::Frame& f) { return self.get_EOF(f.RetBool()); }},
        {u"MoveNext",
         2,
         rt::MemberKind::Method,
         {},
         VT_EMPTY,
         [](ViewObject& self, rt::Frame&) { return self.MoveNext(); }},
    };
    return table;
}

std::size_t ViewObject::CurrentRow() const {
    if (position_ >= rows_->size()) {
        rt::Raise(err::kNoCurrentRow.number, std::u16string(err::kNoCurrentRow.text));
    }
    return position_;
}

HRESULT ViewObject::get_EOF(VARIANT_BOOL* result) {
    return Produce(result, [&] { return ToBool(position_ >= rows_->size()); });
}

HRESULT ViewObject::MoveNext() {
    return rt::Guard([&] {
        CurrentRow();
        ++position_;
    });
}

HRESULT ViewObject::Item(VARIANT* fieldName, VARIANT* result) {
    if (!fieldName || !result) return E_POINTER;
    return rt::Guard([&] {
        rt::Variant name;
        rt::ThrowIfFailed(VariantCopyInd(name.put(), fieldName));
        rt::Variant value = rows_->Field(CurrentRow(), name.AsString());
        *result = value.Detach();
    });
}

}  // namespace nubex::com
