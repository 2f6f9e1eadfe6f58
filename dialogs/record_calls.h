// The record operations the edit dialogs use, as typed calls on the data-object library's
// interfaces. Each raises the record's run-time error when the call fails outright.
#pragma once

#include <string>
#include <string_view>

#include "contracts/data_objects.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace mundor::dialogs {

// A text property's reader and writer on a record of type R (Codigo, Nombre, CodigoTel).
template <class R>
using TextGetter = HRESULT (R::*)(BSTR*);
template <class R>
using TextSetter = HRESULT (R::*)(BSTR*);

template <class R>
std::u16string ReadText(R& record, TextGetter<R> get) {
    rt::BString text;
    rt::ThrowIfFailed((record.*get)(text.put()));
    return text.str();
}

template <class R>
void WriteText(R& record, TextSetter<R> put, std::u16string_view text) {
    rt::BString value(text);
    rt::ThrowIfFailed((record.*put)(value.slot()));
}

void SetConnection(nubex::DataRecord& record, nubex::Connection* connection);
// The value NewRecord returns says nothing the dialogs use.
void NewRecord(nubex::DataRecord& record);
bool SaveRecord(nubex::DataRecord& record);
LONG ErrorCode(nubex::DataRecord& record);
std::u16string ErrorDescription(nubex::DataRecord& record);

// LoadRecord(key, "", Nothing, 1) on a parent record; its result is not looked at, the store
// that follows decides.
void LoadParentByKey(nubex::DataRecord& parent, LONG key);

}  // namespace mundor::dialogs
