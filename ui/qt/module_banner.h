// The module-information banner on a small sunken label. It shows the module's name and version
// once they are set (the form's `modulo` until then), narrowed or shortened to fit its width,
// and tells name, folder, version and module whole in its tooltip.
#pragma once

#include <string>

#include <QLabel>

#include "contracts/ui/module_banner_base.h"
#include "ui/qt/control_host.h"

namespace mundor::ui::qt {

// A label that shows as much of its text as its width allows: narrowed letters first, then an
// ellipsis in the middle.
class ElidedLabel final : public QLabel {
  public:
    explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}
    void SetFullText(const QString& text);
    const QString& fullText() const { return fullText_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    static constexpr int kBreathingRoom = 2;  // pixels kept free beside the text

    void Elide();
    QString fullText_;
    bool fitting_ = false;
};

class QtModuleBanner final : public ModuleBannerBase, public WidgetBacked {
  public:
    QtModuleBanner(const ControlDefinition& definition, QWidget& parent);

    const ControlDefinition& Definition() const override { return definition_; }
    // The banner never takes the keyboard focus; asking it to does nothing.
    void SetFocus() override {}

    QWidget& widget() const override { return *widget_; }

  private:
    void PropertiesChanged() override { Show(); }
    void Show();

    const ControlDefinition& definition_;
    ElidedLabel* widget_;  // owned by the window's widget
};

}  // namespace mundor::ui::qt
