// The state/province dialog dlgEdoProv: code and name of one state, stored under the country
// whose key is PKPais. The country is loaded before the fields are copied.
#pragma once

#include <array>

#include "contracts/ui/form_definition.h"
#include "dialogs/edit_dialog.h"

namespace mundor::dialogs {

struct EdoProvTraits {
    using Record = nubex::EdoProv;
    static constexpr auto kParent = &Record::get_IPais;
    static constexpr ParentLoad kParentLoad = ParentLoad::BeforeCopy;

    static constexpr std::array kFill{kNombreField<Record>, kCodigoField<Record>};
    static constexpr std::array kStore{kNombreField<Record>, kCodigoField<Record>};
    static constexpr std::array kPrompts{
        Prompt{u"ctrlCodigo", u"Introduzca código del estado"},
        Prompt{u"ctrlNombre", u"Introduzca nombre del estado"},
    };

    static bool ExplainsRefusal(LONG errorCode) { return errorCode > 0; }
    static const ui::FormDefinition& Form();
};

extern template class EditDialog<EdoProvTraits>;

class DlgEdoProv final : public EditDialog<EdoProvTraits> {
  public:
    using EditDialog::EditDialog;
    // The key of the country the state belongs to; the launcher sets it before SetObjects.
    LONG PKPais() const { return parentKey_; }
    void SetPKPais(LONG key) { parentKey_ = key; }
};

}  // namespace mundor::dialogs
