#include "dialogs/dlg_edo_prov.h"

#include "dialogs/dialog_form.h"
#include "dialogs/edit_dialog_impl.h"

namespace mundor::dialogs {

const ui::FormDefinition& EdoProvTraits::Form() {
    static const ui::FormDefinition form = DialogForm(
        u"dlgEdoProv", u"Estado o Provincia", 4560, 1755,
        {
            TextFieldRow(u"ctrlCodigo", u"Código", {75, 75, 4380, 510}, 0, {{u"max", LONG{8}}}),
            TextFieldRow(u"ctrlNombre", u"Nombre", {75, 750, 4440, 510}, 1),
            ButtonRow(u"cmdAceptar", u"&Aceptar", {1680, 1320, 1350, 405}, 2),
            ButtonRow(u"cmdCancelar", u"&Cancelar", {3120, 1320, 1350, 405}, 3),
            BannerRow(u"dlgEdoProv", {120, 1440, 1260, 240}, 4),
        });
    return form;
}

template class EditDialog<EdoProvTraits>;

}  // namespace mundor::dialogs
