// Pictures of windows for a person to look at: a window's client area under a plain title bar
// drawn here, so that the caption shows even without a window manager.
#pragma once

#include <QImage>
#include <QWidget>

namespace mundor::ui::qt::testing {

QImage WithTitleBar(QWidget& window);

// A box where it stands over a window (centred when it stands elsewhere), each under its title
// bar, the window dimmed a little as a modal box leaves it. A box wider or taller than the
// window stands on a plain background that grows to hold it, the window centred across it.
QImage BoxOver(QWidget& window, QWidget& box);

}  // namespace mundor::ui::qt::testing
