#include "ui/qt/qt_toolkit.h"

#include "contracts/ui/window_handle.h"
#include "ui/qt/control_host.h"
#include "ui/qt/message_box.h"
#include "ui/qt/qt_errors.h"
#include "ui/qt/qt_window.h"

namespace mundor::ui::qt {

QtToolkit::QtToolkit() {
    err::RequireWidgetsThread();
}

std::unique_ptr<Window> QtToolkit::CreateWindow(const FormDefinition& form, FormEvents& events) {
    err::RequireWidgetsThread();
    return std::make_unique<SharedWindowHandle>(std::make_shared<QtWindow>(form, events));
}

LONG QtToolkit::MsgBox(const MessageBoxRequest& request) {
    err::RequireWidgetsThread();
    return ShowMessageBox(request);
}

QWidget* QtToolkit::WidgetOf(Window& window) {
    auto* handle = dynamic_cast<SharedWindowHandle*>(&window);
    auto* own = handle ? dynamic_cast<QtWindow*>(&handle->window()) : nullptr;
    return own ? &own->dialog() : nullptr;
}

QWidget* QtToolkit::WidgetOf(Control& control) {
    auto* backed = dynamic_cast<WidgetBacked*>(&control);
    return backed ? &backed->widget() : nullptr;
}

}  // namespace mundor::ui::qt
