// The floor of the host's start-up: a bare Qt Widgets program that shows one plain window and,
// with --exit-after-first-paint, writes "first-paint" and ends once it has been drawn, as
// mundor-host does. It loads Qt and nothing of the project.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

class FirstPaintExit final : public QObject {
  public:
    explicit FirstPaintExit(QWidget& window) : window_(window) { window_.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint) {
            window_.removeEventFilter(this);
            QTimer::singleShot(0, [] {
                std::puts("first-paint");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget& window_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Ventana vacía"));
    window.resize(640, 480);
    std::optional<FirstPaintExit> exitAfterFirstPaint;
    if (QCoreApplication::arguments().contains(QStringLiteral("--exit-after-first-paint"))) {
        exitAfterFirstPaint.emplace(window);
    }
    window.show();
    return QApplication::exec();
}
