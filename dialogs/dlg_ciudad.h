// The city dialog dlgCiudad: code, area code and name of one city, stored under the state whose
// key is PKEstado. The state is loaded after the fields are copied.
#pragma once

#include <array>

#include "contracts/ui/form_definition.h"
#include "dialogs/edit_dialog.h"

namespace mundor::dialogs {

struct CiudadTraits {
    using Record = nubex::Ciudad;
    static constexpr auto kParent = &Record::get_Estado;
    static constexpr ParentLoad kParentLoad = ParentLoad::AfterCopy;

    static constexpr std::array kFill{kCodigoField<Record>, kNombreField<Record>,
                                      kCodigoTelField<Record>};
    static constexpr std::array kStore{kNombreField<Record>, kCodigoTelField<Record>,
                                       kCodigoField<Record>};
    static constexpr std::array kPrompts{
        Prompt{u"ctrlCodigo", u"Introduzca código de la ciudad"},
        Prompt{u"ctrlNombre", u"Introduzca nombre de ciudad"},
        Prompt{u"ctrlCodigoTel", u"Introduzca codigo de área"},
    };

    static bool ExplainsRefusal(LONG errorCode) { return errorCode > 0; }
    static const ui::FormDefinition& Form();
};

extern template class EditDialog<CiudadTraits>;

class DlgCiudad final : public EditDialog<CiudadTraits> {
  public:
    using EditDialog::EditDialog;
    // The key of the state the city belongs to; the launcher sets it before SetObjects.
    LONG PKEstado() const { return parentKey_; }
    void SetPKEstado(LONG key) { parentKey_ = key; }
};

}  // namespace mundor::dialogs
