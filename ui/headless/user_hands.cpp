#include "ui/headless/user_hands.h"

#include <memory>
#include <string>

#include "runtime/bstr.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "ui/headless/headless_tree.h"

namespace mundor::ui::headless {

namespace {

std::u16string Quoted(std::u16string_view text) {
    return u"'" + std::u16string(text) + u"'";
}

std::u16string ControlName(const UserAction& action) {
    if (action.index == kNoIndex) return Quoted(action.control);
    return Quoted(action.control + u"(" + rt::DecimalText(action.index) + u")");
}

void Record(HeadlessWindow& window, const UserAction& action) {
    window.session().transcript().Add(UserActed{window.Name(), action.kind, action.control,
                                                action.index, action.text, action.path});
}

// The control the action names, of the kind it needs; a script failure when the window has none.
template <class T>
T& ControlFor(HeadlessWindow& window, const UserAction& action, std::u16string_view kindName) {
    Control* control = window.FindControl(action.control, action.index);
    if (!control || control->Kind() != T::kKind) {
        window.session().Fail(u"la ventana " + Quoted(window.Name()) + u" no tiene " +
                              std::u16string(kindName) + u" llamado " + ControlName(action));
    }
    return static_cast<T&>(*control);
}

void Type(HeadlessWindow& window, const UserAction& action) {
    auto& field = ControlFor<HeadlessTextField>(window, action, u"un campo de texto");
    if (!field.Editable()) {
        window.session().Fail(u"el usuario no puede escribir en " + ControlName(action) + u" de " +
                              Quoted(window.Name()) + u": el campo no es editable");
    }
    Record(window, action);
    field.SetValue(field.TypedText(action.text));
}

void Click(HeadlessWindow& window, const UserAction& action) {
    auto& button = ControlFor<HeadlessButton>(window, action, u"un botón");
    Record(window, action);
    window.RunHandler([&] { window.events().OnClick(button); });
}

// The letter after the caption's single '&' ("&&" shows an ampersand), or 0 when none.
char16_t AccessKeyOf(std::u16string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

bool SameLetter(char16_t a, char16_t b) {
    return rt::SameMemberName(std::u16string_view(&a, 1), std::u16string_view(&b, 1));
}

// Alt and the letter press the first button, in tab order, that has it as its access key.
void PressAccessKey(HeadlessWindow& window, const UserAction& action) {
    for (const ControlDefinition& row : window.Definition().controls) {
        if (row.kind != ControlKind::Button) continue;
        auto* button = static_cast<HeadlessButton*>(window.FindControl(row.name, row.index));
        if (!SameLetter(AccessKeyOf(button->Caption()), action.text.front())) continue;
        UserAction pressed = action;
        pressed.control = row.name;
        pressed.index = row.index;
        Record(window, pressed);
        window.RunHandler([&] { window.events().OnClick(*button); });
        return;
    }
    window.session().Fail(u"la ventana " + Quoted(window.Name()) +
                          u" no tiene un botón cuya tecla de acceso sea " + Quoted(action.text));
}

std::u16string PathText(const TextPath& path) {
    std::u16string text;
    for (const std::u16string& step : path) text += (text.empty() ? u"" : u" > ") + Quoted(step);
    return text;
}

// The node the action names: under its key, or at the end of its text path.
std::shared_ptr<HeadlessNode> NamedNode(HeadlessWindow& window, HeadlessTree& tree,
                                        const UserAction& action) {
    if (action.path.empty()) {
        return std::static_pointer_cast<HeadlessNode>(tree.Nodes().Find(action.text));
    }
    std::vector<NodeRef> level = tree.Nodes().Roots();
    NodeRef found;
    for (const std::u16string& text : action.path) {
        found = nullptr;
        for (const NodeRef& node : level) {
            if (node->Text() != text) continue;
            if (found) {
                window.session().Fail(u"el árbol " + ControlName(action) +
                                      u" tiene más de un nodo " + Quoted(text) + u" en la ruta " +
                                      PathText(action.path));
            }
            found = node;
        }
        if (!found) return nullptr;
        level = found->ChildNodes();
    }
    return std::static_pointer_cast<HeadlessNode>(found);
}

std::u16string NodeName(const UserAction& action) {
    return action.path.empty() ? u"con la clave " + Quoted(action.text)
                               : u"en " + PathText(action.path);
}

// The node the action names, which the user must be able to see.
std::shared_ptr<HeadlessNode> NodeOnScreen(HeadlessWindow& window, HeadlessTree& tree,
                                           const UserAction& action) {
    const auto node = NamedNode(window, tree, action);
    if (!node) {
        window.session().Fail(u"el árbol " + ControlName(action) + u" de " + Quoted(window.Name()) +
                              u" no tiene un nodo " + NodeName(action));
    }
    if (!node->OnScreen()) {
        window.session().Fail(u"el nodo " + NodeName(action) + u" del árbol " +
                              ControlName(action) +
                              u" no está a la vista: un nodo sobre él está contraído");
    }
    return node;
}

void SelectNode(HeadlessWindow& window, const UserAction& action) {
    auto& tree = ControlFor<HeadlessTree>(window, action, u"un árbol");
    auto node = NodeOnScreen(window, tree, action);
    Record(window, action);
    tree.Select(std::move(node));
}

void ExpandNode(HeadlessWindow& window, const UserAction& action) {
    auto& tree = ControlFor<HeadlessTree>(window, action, u"un árbol");
    const auto node = NodeOnScreen(window, tree, action);
    if (node->Children() == 0) {
        window.session().Fail(u"el nodo " + NodeName(action) +
                              u" no tiene hijos: el usuario no ve nada que expandir");
    }
    if (node->Expanded()) {
        window.session().Fail(u"el nodo " + NodeName(action) + u" ya está expandido");
    }
    Record(window, action);
    window.RunHandler([&] { window.events().OnExpand(tree, node); });
    // The node opens after its handler, if it still has something to show.
    if (!node->removed() && node->Children() > 0) node->SetExpanded(true);
}

void CollapseNode(HeadlessWindow& window, const UserAction& action) {
    auto& tree = ControlFor<HeadlessTree>(window, action, u"un árbol");
    const auto node = NodeOnScreen(window, tree, action);
    if (!node->Expanded()) {
        window.session().Fail(u"el nodo " + NodeName(action) + u" no está expandido");
    }
    Record(window, action);
    tree.Collapse(*node);
}

void Close(HeadlessWindow& window, const UserAction& action) {
    Record(window, action);
    window.RunHandler([&] {
        if (window.events().OnCloseRequest()) window.Unload();
    });
}

void RunStep(HeadlessWindow& window, const UserAction& action) {
    Record(window, action);
    try {
        if (action.step) action.step(window);
    } catch (...) {
        window.session().ThrowIfFailed();
        rt::ReportCurrentException();
        const rt::ErrorRecord& error = rt::LastError();
        window.session().Fail(u"el paso " + Quoted(action.text) + u" del guion produjo el error " +
                              rt::DecimalText(error.number) + u": " + error.description);
    }
}

}  // namespace

void PerformUserAction(HeadlessWindow& window, const UserAction& action) {
    switch (action.kind) {
        case UserActionKind::Type:
            return Type(window, action);
        case UserActionKind::Click:
            return Click(window, action);
        case UserActionKind::AccessKey:
            return PressAccessKey(window, action);
        case UserActionKind::SelectNode:
            return SelectNode(window, action);
        case UserActionKind::ExpandNode:
            return ExpandNode(window, action);
        case UserActionKind::CollapseNode:
            return CollapseNode(window, action);
        case UserActionKind::Close:
            return Close(window, action);
        case UserActionKind::Run:
            return RunStep(window, action);
    }
}

}  // namespace mundor::ui::headless
