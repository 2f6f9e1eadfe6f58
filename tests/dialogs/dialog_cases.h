// What the protocol tests need to know of each dialog, written out here from the dialogs'
// description rather than read from their code: the fields in validation order with their
// prompts, the calls fill-fields and store-fields make on the record, and how the parent key
// is reached.
#pragma once

#include <string>
#include <vector>

#include "dialogs/dlg_ciudad.h"
#include "dialogs/dlg_edo_prov.h"
#include "dialogs/dlg_pais.h"
#include "spy_records.h"

namespace mundor::dialogs::testing {

struct FieldPrompt {
    std::u16string field;
    std::u16string prompt;
};

struct PaisCase {
    using Dialog = DlgPais;
    static constexpr const char* kRecord = "Pais";
    static constexpr const char16_t* kWindow = u"dlgPais";
    static constexpr bool kHasParent = false;
    static rt::Ref<nubex::Pais> NewRecord(std::shared_ptr<SpyData> data) {
        return NewSpyPais(std::move(data));
    }
    static std::vector<FieldPrompt> Fields() {
        return {{u"ctrlCodigo", u"Introduzca código del pais"},
                {u"ctrlNombre", u"Introduzca nombre del pais"},
                {u"ctrlCodigoTel", u"Introduzca codigo de área"}};
    }
    static CallLog FillCalls() {
        return {"Pais.get_Nombre", "Pais.get_CodigoTel", "Pais.get_Codigo"};
    }
    // With code "c", name "n" and area code "t" in the fields, and parent key 7.
    static CallLog StoreCalls() {
        return {"Pais.put_Nombre=n", "Pais.put_CodigoTel=t", "Pais.put_Codigo=c",
                "Pais.SaveRecord"};
    }
    static void SetParentKey(Dialog&, LONG) {}
    static LONG ParentKey(const Dialog&) { return 0; }
};

struct EdoProvCase {
    using Dialog = DlgEdoProv;
    static constexpr const char* kRecord = "EdoProv";
    static constexpr const char16_t* kWindow = u"dlgEdoProv";
    static constexpr bool kHasParent = true;
    static rt::Ref<nubex::EdoProv> NewRecord(std::shared_ptr<SpyData> data) {
        return NewSpyEdoProv(std::move(data));
    }
    static std::vector<FieldPrompt> Fields() {
        return {{u"ctrlCodigo", u"Introduzca código del estado"},
                {u"ctrlNombre", u"Introduzca nombre del estado"}};
    }
    static CallLog FillCalls() { return {"EdoProv.get_Nombre", "EdoProv.get_Codigo"}; }
    // The country is loaded first, by key, with no connection.
    static CallLog StoreCalls() {
        return {"Pais.LoadRecord(7, mode 1)", "EdoProv.put_Nombre=n", "EdoProv.put_Codigo=c",
                "EdoProv.SaveRecord"};
    }
    static void SetParentKey(Dialog& dialog, LONG key) { dialog.SetPKPais(key); }
    static LONG ParentKey(const Dialog& dialog) { return dialog.PKPais(); }
};

struct CiudadCase {
    using Dialog = DlgCiudad;
    static constexpr const char* kRecord = "Ciudad";
    static constexpr const char16_t* kWindow = u"dlgCiudad";
    static constexpr bool kHasParent = true;
    static rt::Ref<nubex::Ciudad> NewRecord(std::shared_ptr<SpyData> data) {
        return NewSpyCiudad(std::move(data));
    }
    static std::vector<FieldPrompt> Fields() {
        return {{u"ctrlCodigo", u"Introduzca código de la ciudad"},
                {u"ctrlNombre", u"Introduzca nombre de ciudad"},
                {u"ctrlCodigoTel", u"Introduzca codigo de área"}};
    }
    static CallLog FillCalls() {
        return {"Ciudad.get_Codigo", "Ciudad.get_Nombre", "Ciudad.get_CodigoTel"};
    }
    // The state is loaded last, after the three fields are copied.
    static CallLog StoreCalls() {
        return {"Ciudad.put_Nombre=n", "Ciudad.put_CodigoTel=t", "Ciudad.put_Codigo=c",
                "Estado.LoadRecord(7, mode 1)", "Ciudad.SaveRecord"};
    }
    static void SetParentKey(Dialog& dialog, LONG key) { dialog.SetPKEstado(key); }
    static LONG ParentKey(const Dialog& dialog) { return dialog.PKEstado(); }
};

}  // namespace mundor::dialogs::testing
