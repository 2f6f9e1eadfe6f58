#include "nubex/com/view_object.h"

#include "nubex/com/abi.h"
#include "nubex/com/module.h"
#include "nubex/errors.h"
#include "runtime/variant.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

[[noreturn]] void RaiseNoSuchField(std::u16string_view name) {
    rt::Raise(err::kNoSuchField.number,
              std::u16string(err::kNoSuchField.text) + std::u16string(name));
}

// The value of a row's field, its name matched without regard to case.
rt::Variant FieldValue(const store::TableInfo& table, const store::Row& row,
                       std::u16string_view name) {
    if (rt::SameMemberName(name, u"Sys_PK")) return rt::Variant(row.pk);
    if (rt::SameMemberName(name, u"Sys_GUID")) return rt::Variant(row.guid);
    if (rt::SameMemberName(name, u"Codigo")) return rt::Variant(row.codigo);
    if (rt::SameMemberName(name, u"Nombre")) return rt::Variant(row.nombre);
    if (table.hasCodigoTel && rt::SameMemberName(name, u"CodigoTel")) {
        return rt::Variant(row.codigoTel);
    }
    if (table.HasParent()) {
        const std::u16string parentColumn(table.parentColumn.begin(), table.parentColumn.end());
        if (rt::SameMemberName(name, parentColumn)) return rt::Variant(row.parentPk);
    }
    RaiseNoSuchField(name);
}

}  // namespace

ViewObject::ViewObject(const store::TableInfo& table, std::vector<store::Row> rows)
    : DispatchObject(Module()), table_(table), rows_(std::move(rows)) {}

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

const store::Row& ViewObject::CurrentRow() const {
    if (position_ >= rows_.size()) {
        rt::Raise(err::kNoCurrentRow.number, std::u16string(err::kNoCurrentRow.text));
    }
    return rows_[position_];
}

HRESULT ViewObject::get_EOF(VARIANT_BOOL* result) {
    return Produce(result, [&] { return ToBool(position_ >= rows_.size()); });
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
        rt::Variant value = FieldValue(table_, CurrentRow(), name.AsString());
        *result = value.Detach();
    });
}

}  // namespace nubex::com
