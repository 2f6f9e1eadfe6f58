#include "dialogs/dlg_pais.h"

#include "dialogs/dialog_form.h"
#include "dialogs/edit_dialog_impl.h"

namespace mundor::dialogs {

const ui::FormDefinition& PaisTraits::Form() {
    static const ui::FormDefinition form =
        DialogForm(u"dlgPais", u"País", 4440, 1815,
                   {
                       TextFieldRow(u"ctrlCodigo", u"Código", {75, 75, 2070, 510}, 0,
                                    {{u"max", LONG{8}}, {u"ccase", LONG{1}}}),
                       TextFieldRow(u"ctrlCodigoTel", u"Código de área:", {2280, 75, 2040, 510}, 1,
                                    {{u"titlewidthp", LONG{70}}}),
                       TextFieldRow(u"ctrlNombre", u"Nombre", {75, 750, 4290, 510}, 2),
                       ButtonRow(u"cmdAceptar", u"&Aceptar", {1575, 1350, 1350, 405}, 3),
                       ButtonRow(u"cmdCancelar", u"&Cancelar", {3000, 1350, 1350, 405}, 4),
                       BannerRow(u"dlgPais", {120, 1500, 1260, 240}, 5),
                   });
    return form;
}

template class EditDialog<PaisTraits>;

}  // namespace mundor::dialogs
