#include "nubex/com/view_object.h"

#include <optional>

#include "nubex/com/abi.h"
#include "nubex/com/module.h"
#include "nubex/errors.h"
#include "nubex/store/record_store.h"
#include "runtime/bstr.h"
#include "runtime/variant.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

// The texts of every row lie end to end in one buffer, each read once from the statement: a view
// of many rows costs no allocation of its own per row or per text.
class TableViewRows final : public ViewRows {
  public:
    explicit TableViewRows(const store::TableInfo& table)
        : table_(table), parentColumn_(table.parentColumn.begin(), table.parentColumn.end()) {}

    // Adds the row the statement stands on (the columns of store::Row).
    void Append(LONG pk, LONG parentPk, const db::Statement& row) {
        Entry entry{pk, parentPk, {}};
        for (std::size_t text = 0; text < kTexts; ++text) {
            entry.start[text] = texts_.size();
            row.AppendText(kTextColumns[text], texts_);
        }
        entry.start[kTexts] = texts_.size();
        rows_.push_back(entry);
    }

    std::size_t size() const override { return rows_.size(); }

    rt::Variant Field(std::size_t index, std::u16string_view name) const override {
        const Entry& row = rows_[index];
        if (rt::SameMemberName(name, u"Sys_PK")) return rt::Variant(row.pk);
        if (rt::SameMemberName(name, u"Sys_GUID")) return rt::Variant(Text(row, kGuid));
        if (rt::SameMemberName(name, u"Codigo")) return rt::Variant(Text(row, kCodigo));
        if (rt::SameMemberName(name, u"Nombre")) return rt::Variant(Text(row, kNombre));
        if (table_.hasCodigoTel && rt::SameMemberName(name, u"CodigoTel")) {
            return rt::Variant(Text(row, kCodigoTel));
        }
        if (table_.HasParent() && rt::SameMemberName(name, parentColumn_)) {
            return rt::Variant(row.parentPk);
        }
        RaiseNoSuchField(name);
    }

  private:
    enum TextField : std::size_t { kGuid, kCodigo, kNombre, kCodigoTel, kTexts };
    // Their columns in the statement.
    static constexpr int kTextColumns[kTexts] = {1, 3, 4, 5};

    struct Entry {
        LONG pk;
        LONG parentPk;
        std::size_t start[kTexts + 1];  // where each text begins in texts_; the last: the end
    };

    std::u16string_view Text(const Entry& row, TextField field) const {
        return std::u16string_view(texts_).substr(row.start[field],
                                                  row.start[field + 1] - row.start[field]);
    }

    const store::TableInfo& table_;
    const std::u16string parentColumn_;
    std::u16string texts_;
    std::vector<Entry> rows_;
};

}  // namespace

void RaiseNoSuchField(std::u16string_view name) {
    rt::Raise(err::kNoSuchField.number,
              std::u16string(err::kNoSuchField.text) + std::u16string(name));
}

std::unique_ptr<const ViewRows> ReadTableRows(db::Database& db, const store::TableInfo& table,
                                              LONG parentPk) {
    auto rows = std::make_unique<TableViewRows>(table);
    store::ReadChildren(db, table, parentPk,
                        [&](LONG pk, LONG parentKey, const db::Statement& row) {
                            rows->Append(pk, parentKey, row);
                        });
    return rows;
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

namespace {

// The text of a field name that comes as text, by value or by reference, as it nearly always
// does; empty for any other type.
std::optional<std::u16string_view> NameText(const VARIANT& name) {
    BSTR text = nullptr;
    if (name.vt == VT_BSTR) {
        text = name.bstrVal;
    } else if (name.vt == (VT_BSTR | VT_BYREF) && name.pbstrVal) {
        text = *name.pbstrVal;
    } else {
        return std::nullopt;
    }
    return std::u16string_view(text ? text : u"", text ? SysStringLen(text) : 0);
}

}  // namespace

HRESULT ViewObject::Item(VARIANT* fieldName, VARIANT* result) {
    if (!fieldName || !result) return E_POINTER;
    return rt::Guard([&] {
        // Read in place when it is text: this runs for every field of every row.
        if (const auto text = NameText(*fieldName)) {
            *result = rows_->Field(CurrentRow(), *text).Detach();
            return;
        }
        rt::Variant name;
        rt::ThrowIfFailed(VariantCopyInd(name.put(), fieldName));
        *result = rows_->Field(CurrentRow(), name.AsString()).Detach();
    });
}

}  // namespace nubex::com
