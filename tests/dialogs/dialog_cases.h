// What the protocol tests need to know of each dialog, written out here from the dialogs'
// description rather than read from their code: the fields in validation order with their
// prompts.
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
};

}  // namespace mundor::dialogs::testing
