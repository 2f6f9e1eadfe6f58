// A window's picture for the screenshots: its client area under a plain title bar drawn here,
// so that the caption (and a close box) show even without a window manager.
#pragma once

#include <QImage>

class QWidget;

namespace mundor::ui::qt::testing {

QImage WithTitleBar(QWidget& window);

}  // namespace mundor::ui::qt::testing
