// The Qt Widgets toolkit: the component's windows, controls and message boxes on real widgets.
// The host creates its QApplication first, then installs the toolkit on that thread:
//
//   QApplication application(argc, argv);
//   mundor::ui::qt::QtToolkit toolkit;                    // raises 32762 without a QApplication
//   mundor::ui::ScopedThreadToolkit installed(toolkit);  // or ui::SetThreadToolkit(&toolkit)
//   ... create and use the component ...
//
// Windows are built from their form definitions: positions and sizes in twips, scaled to the
// screen's logical DPI (15 twips a pixel at 96 DPI); "MS Sans Serif" becomes the desktop's
// sans-serif font at the same size; the close box and Esc ask the window's logic to close.
#pragma once

#include <memory>

#include "contracts/ui/toolkit.h"
#include "runtime/export.h"

class QWidget;

namespace mundor::ui::qt {

class MUNDOR_API QtToolkit final : public Toolkit {
  public:
    // Raises err::kNoApplication when the process has no QApplication, and
    // err::kNotUserInterfaceThread off the QApplication's thread.
    QtToolkit();

    std::unique_ptr<Window> CreateWindow(const FormDefinition& form, FormEvents& events) override;
    LONG MsgBox(const MessageBoxRequest& request) override;

    // The widgets behind a window or control this toolkit made, for a host that wants to dress
    // them (an icon, a style sheet) and for tests; null for another toolkit's.
    static QWidget* WidgetOf(Window& window);
    static QWidget* WidgetOf(Control& control);
};

}  // namespace mundor::ui::qt
