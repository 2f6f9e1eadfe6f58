#include "ui/qt/control_factory.h"

#include "contracts/ui/ui_errors.h"
#include "ui/qt/button.h"
#include "ui/qt/look.h"
#include "ui/qt/module_banner.h"
#include "ui/qt/text_field.h"
#include "ui/qt/tree_control.h"

namespace mundor::ui::qt {

namespace {

std::unique_ptr<Control> MakeOfKind(const ControlDefinition& definition, ControlHost& host,
                                    QWidget& window) {
    switch (definition.kind) {
        case ControlKind::TextField:
            return std::make_unique<QtTextField>(definition, window);
        case ControlKind::Button:
            return std::make_unique<QtButton>(definition, host, window);
        case ControlKind::ModuleBanner:
            return std::make_unique<QtModuleBanner>(definition, window);
        case ControlKind::Tree:
            return std::make_unique<QtTree>(definition, host, window);
    }
    err::RaiseInvalidCall(u"clase de control desconocida: '" + definition.name + u"'");
}

// "cmdAction(1)" for an element of a control array, the plain name otherwise: how tests and
// accessibility tools find the widget.
QString ObjectNameOf(const ControlDefinition& definition) {
    QString name = QString::fromStdU16String(definition.name);
    if (definition.index != kNoIndex) name += QStringLiteral("(%1)").arg(definition.index);
    return name;
}

}  // namespace

std::unique_ptr<Control> MakeQtControl(const ControlDefinition& definition, ControlHost& host,
                                       QWidget& window, const TwipsScale& scale) {
    std::unique_ptr<Control> control = MakeOfKind(definition, host, window);
    QWidget& widget = WidgetOf(*control);
    widget.setObjectName(ObjectNameOf(definition));
    if (const auto font = definition.SettingAs<Font>(u"font")) widget.setFont(QtFontFor(*font));
    widget.setGeometry(
        scale.ToRect(definition.left, definition.top, definition.width, definition.height));
    widget.show();
    return control;
}

QWidget& WidgetOf(const Control& control) {
    return dynamic_cast<const WidgetBacked&>(control).widget();
}

}  // namespace mundor::ui::qt
