// Runs an action once, right after a window has been drawn for the first time: for a screenshot
// of what the user first sees, and for timing the start-up.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace mundor::host {

class FirstPaintWatcher final : public QObject {
  public:
    FirstPaintWatcher(QWidget& window, std::function<void()> action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> action_;
    bool seen_ = false;
};

}  // namespace mundor::host
