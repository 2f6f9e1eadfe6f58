#include "sample_forms.h"

namespace mundor::ui::testing {

namespace {

std::vector<Setting> FieldSettings(std::u16string title, std::vector<Setting> extra) {
    std::vector<Setting> settings = {
        {u"titleobject", title},
        {u"caption", title},
        {u"backcolor", Color{0x8000000F}},
        {u"font", Font{.face = u"MS Sans Serif", .points = 8.25, .weight = 400}},
        {u"value", u""},
    };
    settings.insert(settings.end(), extra.begin(), extra.end());
    return settings;
}

std::vector<Setting> ButtonSettings(std::u16string caption) {
    return {{u"tx", caption},
            {u"enab", true},
            {u"bcol", Color{0x00D8E9EC}},
            {u"bcolo", Color{0x00D8E9EC}},
            {u"fcol", Color{0}},
            {u"fcolo", Color{0}},
            {u"hand", false},
            {u"check", false},
            {u"value", false},
            {u"font", Font{.face = u"MS Sans Serif", .points = 8.25, .weight = 400}}};
}

ControlDefinition Row(std::u16string name, ControlKind kind, LONG left, LONG top, LONG width,
                      LONG height, LONG tabIndex, std::vector<Setting> settings,
                      LONG index = kNoIndex) {
    return {.name = std::move(name),
            .kind = kind,
            .index = index,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tabIndex,
            .settings = std::move(settings)};
}

}  // namespace

FormDefinition SampleDialogForm(std::u16string name) {
    using enum ControlKind;
    FormDefinition form{
        .name = name, .caption = u"País", .clientWidth = 4440, .clientHeight = 1815};
    form.controls = {
        Row(u"ctrlCodigo", TextField, 75, 75, 2070, 510, 0,
            FieldSettings(u"Código", {{u"max", LONG{8}}, {u"ccase", LONG{1}}})),
        Row(u"ctrlCodigoTel", TextField, 2280, 75, 2040, 510, 1,
            FieldSettings(u"Código de área:", {{u"titlewidthp", LONG{70}}})),
        Row(u"ctrlNombre", TextField, 75, 750, 4290, 510, 2, FieldSettings(u"Nombre", {})),
        Row(u"cmdAceptar", Button, 1575, 1350, 1350, 405, 3, ButtonSettings(u"&Aceptar")),
        Row(u"cmdCancelar", Button, 3000, 1350, 1350, 405, 4, ButtonSettings(u"&Cancelar")),
        Row(u"axMirel", ModuleBanner, 120, 1500, 1260, 240, 5, {{u"modulo", u"Form/" + name}}),
    };
    return form;
}

FormDefinition SampleBrowserForm(std::u16string name) {
    using enum ControlKind;
    FormDefinition form{.name = name,
                        .caption = u"Explorar Paises",
                        .clientWidth = 3960,
                        .clientHeight = 5910,
                        .window = {.startUpPosition = StartUpPosition::CenterScreen}};
    form.controls = {
        Row(u"cmdCerrar", Button, 2625, 5520, 1275, 315, 0, ButtonSettings(u"&Cerrar")),
        Row(u"tvwPaises", Tree, 30, 465, 3840, 4635, 1, {}),
        Row(u"cmdAction", Button, 90, 90, 1200, 315, 2, ButtonSettings(u"Agregar País"), 0),
        Row(u"cmdAction", Button, 1350, 75, 1185, 315, 3, ButtonSettings(u"Agregar Estado"), 1),
        Row(u"cmdAction", Button, 2610, 75, 1215, 315, 4, ButtonSettings(u"Agregar Ciudad"), 2),
        Row(u"cmdEdit", Button, 45, 5505, 945, 330, 5, ButtonSettings(u"Modificar")),
        Row(u"cmdDel", Button, 1050, 5505, 945, 330, 6, ButtonSettings(u"Eliminar")),
        Row(u"axMirel", ModuleBanner, 2640, 5160, 1260, 240, 7, {{u"modulo", u"Form/" + name}}),
    };
    return form;
}

rt::AppObject SampleApp() {
    rt::AppObject app;
    app.Title = u"Mundor";
    return app;
}

const std::vector<Typing>& CodeFieldTypings() {
    static const std::vector<Typing> typings = {
        {u"mx", u"MX"},
        {u"ñabcdefghij", u"ÑABCDEFG"},
        {u"abcdefg\U0001F600", u"ABCDEFG"},  // the eighth unit would be half a character
        {u"straße", u"STRASSE"},             // full case mapping: one letter becomes two
        {u"ßßßßß", u"SSSSSSSS"},
    };
    return typings;
}

NodeRef AddSampleCountries(TreeNodes& nodes) {
    const NodeRef mexico = nodes.Add(nullptr, tvwChild, u"SysMX", u"(52) México");
    nodes.Add(mexico, tvwChild, u"", u"");  // the placeholder
    nodes.Add(nullptr, tvwChild, u"SysES", u"(34) España");
    return mexico;
}

void LoadSampleStates(Tree& expanded, const NodeRef& node) {
    if (node->Children() != 1 || !node->Child()->Text().empty()) return;
    expanded.Nodes().Remove(node->Child()->Index());
    expanded.Nodes().Add(node, tvwChild, u"EDOJAL", u"Jalisco");
    expanded.Nodes().Add(node, tvwChild, u"EDOCOL", u"Colima");
}

}  // namespace mundor::ui::testing
