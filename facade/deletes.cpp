// The deletes: ask the user to confirm, then have the record delete itself. The object-based
// forms report every failure in an error box of their own and answer False; the key-based forms
// load the record by key and hand it to the object-based form of the same level.

#include "common/caught_error.h"
#include "common/error_box.h"
#include "contracts/ui/message_box.h"
#include "facade/component.h"
#include "facade/mundor_fx.h"
#include "runtime/error.h"

namespace mundor {

namespace {

constexpr char16_t kConfirmPrompt[] = u"¿Seguro desea eliminar este elemento?";
constexpr LONG kConfirmStyle = ui::vbYesNo + ui::vbExclamation + ui::vbDefaultButton2;  // 308

bool UserConfirms(const rt::AppObject& app) {
    return ui::MsgBox(app, kConfirmPrompt, kConfirmStyle, app.Title) == ui::vbYes;
}

// Asks (unless told not to) and deletes. Every failure, the boxes' own included, ends in the
// error box with the member's suffix and a False result; nothing reaches the caller, not even a
// failure of the error box.
template <class Record>
bool ConfirmAndDelete(Record** obj, VARIANT_BOOL* ask, const char16_t* suffix) {
    const rt::AppObject app = ThisApp();
    try {
        const bool shouldAsk = !ask || *ask != VARIANT_FALSE;
        if (shouldAsk && !UserConfirms(app)) return false;
        if (!obj || !*obj) rt::RaiseObjectNotSet();
        VARIANT_BOOL deleted = VARIANT_FALSE;
        rt::ThrowIfFailed((*obj)->DeleteRecord(&deleted));
        return deleted != VARIANT_FALSE;
    } catch (...) {
        // Should the box itself fail, the delete still answers False; the log keeps its error.
        common::ShowErrorBox(app, common::CaughtError(), suffix, "facade");
        return false;
    }
}

}  // namespace

// Creates a record of the level, loads it by key through the catalog's connection and, when it
// loads, deletes it through the object-based member. Failures before the delete reach the caller.
template <class Record>
bool MundorFx::DeleteByKey(const CLSID& recordClass, LONG* sysPk, VARIANT_BOOL* ask,
                           HRESULT (MundorFx::*deleteObject)(Record**, VARIANT_BOOL*,
                                                             VARIANT_BOOL*)) {
    if (!sysPk) rt::Raise(rt::err::kArgumentNotOptional);
    rt::Ref<Record> record = LoadByKey<Record>(recordClass, sysPk);
    if (!record) return false;
    VARIANT_BOOL askValue = ask ? *ask : VARIANT_TRUE;
    VARIANT_BOOL deleted = VARIANT_FALSE;
    rt::ThrowIfFailed((this->*deleteObject)(record.slot(), &askValue, &deleted));
    return deleted != VARIANT_FALSE;
}

HRESULT MundorFx::DelCiudad(nubex::Ciudad** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        const bool deleted = ConfirmAndDelete(Obj, Ask, u" [ThisApp.DelCiudad]");
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT MundorFx::DelEdoProv(nubex::EdoProv** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        const bool deleted = ConfirmAndDelete(Obj, Ask, u" [ThisApp.DelEdoProv]");
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT MundorFx::DelPais(nubex::Pais** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        const bool deleted = ConfirmAndDelete(Obj, Ask, u" [ThisApp.DelPais]");
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT MundorFx::DelCiudad_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        if (result) *result = VARIANT_FALSE;
        const bool deleted =
            DeleteByKey<nubex::Ciudad>(nubex::CLSID_Ciudad, Sys_PK, Ask, &MundorFx::DelCiudad);
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT MundorFx::DelEdoProv_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        if (result) *result = VARIANT_FALSE;
        const bool deleted =
            DeleteByKey<nubex::EdoProv>(nubex::CLSID_EdoProv, Sys_PK, Ask, &MundorFx::DelEdoProv);
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT MundorFx::DelPais_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        if (result) *result = VARIANT_FALSE;
        const bool deleted =
            DeleteByKey<nubex::Pais>(nubex::CLSID_Pais, Sys_PK, Ask, &MundorFx::DelPais);
        if (result) *result = deleted ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

}  // namespace mundor
