// The browser reaches the facade, the catalog, its views and the record objects only by member
// name, as a late-bound client does: these helpers are those calls, one member each.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "runtime/com_types.h"
#include "runtime/ref.h"
#include "runtime/variant.h"

namespace mundor::browser {

// ThisFx.DataObjects: the facade's catalog, empty when none is bound. An empty facade raises
// the platform's object-not-set error (91).
rt::Ref<IDispatch> DataObjectsOf(IDispatch* thisFx);

// A forward-only row set of a view: EOF, MoveNext and a field of the current row by name. Each
// member's name is looked up on the view once, at its first call, since a state's cities make
// thousands of calls to the same three members of the same object.
class ViewRows {
  public:
    explicit ViewRows(rt::Ref<IDispatch> view) : view_(std::move(view)) {}

    bool AtEnd() const;
    void MoveNext();
    rt::Variant Field(std::u16string_view name) const;

  private:
    DISPID IdOf(DISPID& known, std::u16string_view name) const;

    rt::Ref<IDispatch> view_;
    mutable DISPID eof_ = DISPID_UNKNOWN;
    mutable DISPID moveNext_ = DISPID_UNKNOWN;
    mutable DISPID item_ = DISPID_UNKNOWN;
};

// ThisFx.DataObjects.V_Pais, .V_EdoProv(country Sys_PK) and .V_Ciudades(state Sys_PK).
ViewRows CountryRows(IDispatch* thisFx);
ViewRows StateRows(IDispatch* thisFx, LONG paisSysPk);
ViewRows CityRows(IDispatch* thisFx, LONG edoProvSysPk);

// record.LoadFromADOConnection(0, sysGuid, ThisFx.DataObjects.ADOCnn). The load's result is not
// looked at: the record's properties then describe whatever the library found.
void LoadByGuid(IDispatch* thisFx, IDispatch* record, std::u16string_view sysGuid);

// A new record object of `recordClass`, loaded by LoadByGuid.
rt::Ref<IDispatch> LoadRecordByGuid(IDispatch* thisFx, const CLSID& recordClass,
                                    std::u16string_view sysGuid);

// The record's Sys_PK.
LONG SysPkOf(IDispatch* record);

// A field's value as text, as the tree takes it (a Null raises the platform's error).
std::u16string FieldText(const rt::Variant& value);

// A field's value as concatenation reads it: Null (and Empty) become the empty text.
std::u16string ConcatenatedText(const rt::Variant& value);

}  // namespace mundor::browser
