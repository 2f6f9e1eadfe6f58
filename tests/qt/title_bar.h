// Pictures of windows for a person to look at: a window's client area under a plain title bar
// drawn here, so that the caption shows even without a window manager.
#pragma once

#include <QImage>
#include <QWidget>

namespace mundor::ui::qt::testing {

QImage WithTitleBar(QWidget& window);

}  // namespace mundor::ui::qt::testing
