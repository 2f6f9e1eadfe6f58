// A form's window on real widgets: the shared window life, on a FormDialog with its controls
// placed from the definition, shown modally in a nested event loop that ends when it hides.
#pragma once

#include <functional>

#include <QEventLoop>
#include <QPointer>

#include "contracts/ui/window_base.h"
#include "ui/qt/control_host.h"
#include "ui/qt/dialog_owner.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/twips.h"

namespace mundor::ui::qt {

class QtWindow final : public WindowBase, public ControlHost {
  public:
    // Builds the window and its controls, hidden. A definition that CheckFormDefinition refuses
    // raises its error.
    QtWindow(FormDefinition form, FormEvents& events);
    ~QtWindow() override;

    Control* FocusedControl() const override;

    FormEvents& Events() override { return events(); }
    EventScope EnterEvent() override { return EventScope(shared_from_this()); }
    // Never lets an error into Qt's event loop.
    void RunHandler(const std::function<void()>& handler) noexcept override {
        WindowBase::RunHandler(handler);
    }

    FormDialog& dialog() const { return *dialog_; }

  private:
    void CheckToolkit() override;
    void RunModal() override;
    void HideFromScreen() override;

    void BuildControls();
    void ChainTabOrder();
    void FocusFirstControlUnlessChosen();
    void OnCloseRequest();

    TwipsScale scale_;
    DialogOwner dialog_;
    QPointer<QEventLoop> modalLoop_;
};

}  // namespace mundor::ui::qt
