#include "dialogs/dlg_ciudad.h"

#include "dialogs/dialog_form.h"
#include "dialogs/edit_dialog_impl.h"

namespace mundor::dialogs {

const ui::FormDefinition& CiudadTraits::Form() {
    static const ui::FormDefinition form = DialogForm(
        u"dlgCiudad", u"Ciudad", 4470, 1860,
        {
            TextFieldRow(u"ctrlCodigo", u"Código", {75, 75, 1890, 510}, 0, {{u"max", LONG{8}}}),
            TextFieldRow(u"ctrlCodigoTel", u"Codigo de área:", {2100, 75, 2190, 510}, 1,
                         {{u"titlewidthp", LONG{70}}}),
            TextFieldRow(u"ctrlNombre", u"Nombre:", {75, 675, 4215, 510}, 2,
                         {{u"titlewidthp", LONG{20}}}),
            ButtonRow(u"cmdAceptar", u"&Aceptar", {1575, 1350, 1350, 405}, 3),
            ButtonRow(u"cmdCancelar", u"&Cancelar", {3000, 1350, 1350, 405}, 4),
            BannerRow(u"dlgCiudad", {120, 1500, 1260, 240}, 5),
        });
    return form;
}

template class EditDialog<CiudadTraits>;

}  // namespace mundor::dialogs
