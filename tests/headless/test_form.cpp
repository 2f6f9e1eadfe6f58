#include "test_form.h"

#include "runtime/bstr.h"

namespace mundor::ui::headless::testing {

namespace {

ControlDefinition TextFieldRow(std::u16string name, LONG top, LONG tabIndex,
                               std::vector<Setting> settings) {
    return {.name = std::move(name),
            .kind = ControlKind::TextField,
            .left = 75,
            .top = top,
            .width = 2000,
            .height = 510,
            .tabIndex = tabIndex,
            .settings = std::move(settings)};
}

ControlDefinition ButtonRow(std::u16string name, LONG index, LONG left, LONG tabIndex,
                            std::u16string caption) {
    return {.name = std::move(name),
            .kind = ControlKind::Button,
            .index = index,
            .left = left,
            .top = 1350,
            .width = 1200,
            .height = 405,
            .tabIndex = tabIndex,
            .settings = {{u"tx", caption}, {u"btype", 3}, {u"enab", true}}};
}

std::u16string Decimal(LONG number) {
    return rt::Utf8ToUtf16(std::to_string(number));
}

}  // namespace

FormDefinition TestForm(std::u16string name) {
    FormDefinition form{
        .name = name, .caption = u"Prueba", .clientWidth = 4440, .clientHeight = 1815};
    form.controls = {
        TextFieldRow(u"ctrlCodigo", 75, 0, {{u"titleobject", u"Código"}, {u"max", 8}}),
        TextFieldRow(u"ctrlNombre", 750, 1,
                     {{u"titleobject", u"Nombre"},
                      {u"backcolor", Color{0x8000000F}},
                      {u"font", Font{.face = u"MS Sans Serif"}}}),
        TextFieldRow(u"ctrlNota", 1400, 2, {{u"value", u"inicial"}}),
        ButtonRow(u"cmdAceptar", kNoIndex, 1575, 3, u"&Aceptar"),
        ButtonRow(u"cmdCancelar", kNoIndex, 3000, 4, u"&Cancelar"),
        ButtonRow(u"cmdAction", 0, 90, 5, u"Agregar País"),
        ButtonRow(u"cmdAction", 1, 1350, 6, u"Agregar Estado"),
        ButtonRow(u"cmdAction", 2, 2610, 7, u"Agregar Ciudad"),
        {.name = u"axMirel",
         .kind = ControlKind::ModuleBanner,
         .left = 120,
         .top = 1500,
         .width = 1260,
         .height = 240,
         .tabIndex = 8,
         .settings = {{u"modulo", u"Form/" + name}}},
        {.name = u"tvwPaises",
         .kind = ControlKind::Tree,
         .left = 30,
         .top = 465,
         .width = 3840,
         .height = 4635,
         .tabIndex = 9},
    };
    return form;
}

rt::AppObject TestApp() {
    rt::AppObject app;
    app.Title = u"Mundor";
    return app;
}

TestLogic::TestLogic(FormDefinition form) : window_(ThreadToolkit().CreateWindow(form, *this)) {}

void TestLogic::OnLoad() {
    events.push_back(u"load");
    if (onLoad) onLoad();
}

void TestLogic::OnClick(Button& button) {
    std::u16string name = button.Name();
    if (button.Index() != kNoIndex) name += u"(" + Decimal(button.Index()) + u")";
    events.push_back(u"click " + name);
    if (const auto handler = clicks.find(button.Name()); handler != clicks.end()) {
        handler->second(button);
    }
}

void TestLogic::OnExpand(Tree& tree, const NodeRef& node) {
    events.push_back(u"expand " + node->Key());
    if (onExpand) onExpand(tree, node);
}

bool TestLogic::OnCloseRequest() {
    events.push_back(u"close request");
    return allowClose;
}

void TestLogic::OnUnload() {
    events.push_back(u"unload");
}

void TestLogic::OnEventError(const rt::RuntimeError& error) {
    events.push_back(u"error " + Decimal(error.number()));
    errors.push_back(error);
}

rt::RuntimeError ErrorFrom(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "the call raised no run-time error";
    return rt::RuntimeError(0, u"");
}

}  // namespace mundor::ui::headless::testing
