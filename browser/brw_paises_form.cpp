#include "browser/brw_paises_form.h"

#include <string_view>

namespace mundor::browser {

namespace {

struct Place {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
};

ui::ControlDefinition ControlAt(std::u16string_view name, ui::ControlKind kind, LONG index,
                                Place place, LONG tabIndex) {
    ui::ControlDefinition control;
    control.name = name;
    control.kind = kind;
    control.index = index;
    control.left = place.left;
    control.top = place.top;
    control.width = place.width;
    control.height = place.height;
    control.tabIndex = tabIndex;
    return control;
}

ui::ControlDefinition Button(std::u16string_view name, LONG index, std::u16string_view caption,
                             Place place, LONG tabIndex) {
    ui::ControlDefinition button = ControlAt(name, ui::ControlKind::Button, index, place, tabIndex);
    button.settings = {{u"tx", caption}, {u"btype", LONG{3}}, {u"enab", true}};
    return button;
}

ui::FormDefinition MakeForm() {
    ui::FormDefinition form;
    form.name = u"brwPaises";
    form.caption = u"Explorar Paises";
    form.clientWidth = 3960;
    form.clientHeight = 5910;
    form.window.maxButton = false;
    form.window.minButton = false;
    form.window.showInTaskbar = false;
    form.window.startUpPosition = ui::StartUpPosition::CenterScreen;

    ui::ControlDefinition banner = ControlAt(u"axMirel", ui::ControlKind::ModuleBanner,
                                             ui::kNoIndex, {2640, 5160, 1260, 240}, 7);
    banner.settings = {{u"modulo", u"Form/brwPaises"}};
    form.controls = {
        Button(u"cmdCerrar", ui::kNoIndex, u"&Cerrar", {2625, 5520, 1275, 315}, 0),
        ControlAt(u"tvwPaises", ui::ControlKind::Tree, ui::kNoIndex, {30, 465, 3840, 4635}, 1),
        Button(u"cmdAction", 0, u"Agregar País", {90, 90, 1200, 315}, 2),
        Button(u"cmdAction", 1, u"Agregar Estado", {1350, 75, 1185, 315}, 3),
        Button(u"cmdAction", 2, u"Agregar Ciudad", {2610, 75, 1215, 315}, 4),
        Button(u"cmdEdit", ui::kNoIndex, u"Modificar", {45, 5505, 945, 330}, 5),
        Button(u"cmdDel", ui::kNoIndex, u"Eliminar", {1050, 5505, 945, 330}, 6),
        banner,
    };
    return form;
}

}  // namespace

const ui::FormDefinition& BrwPaisesForm() {
    static const ui::FormDefinition form = MakeForm();
    return form;
}

}  // namespace mundor::browser
