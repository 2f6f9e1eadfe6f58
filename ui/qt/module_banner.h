// The module-information banner on a small sunken label. It shows the module's name and version
// once they are set (the form's `modulo` until then), narrowed or shortened to fit its width,
// and tells name, folder, version and module whole in its tooltip.
#pragma once

#include <array>
#include <string>

#include <QLabel>

#include "contracts/ui/controls.h"
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

class QtModuleBanner final : public ModuleBanner, public WidgetBacked {
  public:
    QtModuleBanner(const ControlDefinition& definition, QWidget& parent);

    const ControlDefinition& Definition() const override { return definition_; }
    // The banner never takes the keyboard focus; asking it to does nothing.
    void SetFocus() override {}
    void SetProperty(std::u16string_view property, std::u16string_view text) override;
    std::u16string Property(std::u16string_view property) const override;

    QWidget& widget() const override { return *widget_; }

  private:
    enum Slot : std::size_t { kNombre, kUbicacion, kVersion, kSlots };
    // Where a property's text is kept; raises 438 for a name the banner does not have.
    static Slot SlotOf(std::u16string_view property);
    void Show();

    const ControlDefinition& definition_;
    ElidedLabel* widget_;  // owned by the window's widget
    std::array<std::u16string, kSlots> values_;
};

}  // namespace mundor::ui::qt
