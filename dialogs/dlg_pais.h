// The country dialog dlgPais: code, area code and name of one country.
#pragma once

#include <array>

#include "contracts/ui/form_definition.h"
#include "dialogs/edit_dialog.h"

namespace mundor::dialogs {

struct PaisTraits {
    using Record = nubex::Pais;
    static constexpr ParentLoad kParentLoad = ParentLoad::None;

    static constexpr std::array kFill{kNombreField<Record>, kCodigoTelField<Record>,
                                      kCodigoField<Record>};
    static constexpr std::array kStore{kNombreField<Record>, kCodigoTelField<Record>,
                                       kCodigoField<Record>};
    static constexpr std::array kPrompts{
        Prompt{u"ctrlCodigo", u"Introduzca código del pais"},
        Prompt{u"ctrlNombre", u"Introduzca nombre del pais"},
        Prompt{u"ctrlCodigoTel", u"Introduzca codigo de área"},
    };

    // Any code but 0 comes with the record's own explanation.
    static bool ExplainsRefusal(LONG errorCode) { return errorCode != 0; }
    static const ui::FormDefinition& Form();
};

extern template class EditDialog<PaisTraits>;

class DlgPais final : public EditDialog<PaisTraits> {
  public:
    using EditDialog::EditDialog;
};

}  // namespace mundor::dialogs
