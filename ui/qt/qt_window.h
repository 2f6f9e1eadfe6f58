// A form's window on real widgets: a FormDialog with its controls placed from the definition,
// loaded on its first show and shown modally in a nested event loop that ends when it hides.
#pragma once

#include <memory>
#include <vector>

#include <QEventLoop>
#include <QPointer>

#include "contracts/ui/window.h"
#include "contracts/ui/window_handle.h"
#include "ui/qt/control_host.h"
#include "ui/qt/dialog_owner.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/twips.h"

namespace mundor::ui::qt {

class QtWindow final : public Window,
                       public ControlHost,
                       public std::enable_shared_from_this<QtWindow> {
  public:
    // Builds the window and its controls, hidden. A definition that CheckFormDefinition refuses
    // raises its error.
    QtWindow(FormDefinition form, FormEvents& events);
    ~QtWindow() override;

    const FormDefinition& Definition() const override { return form_; }
    void ShowModal() override;
    void Hide() override;
    void Unload() override;
    bool Visible() const override { return visible_; }
    Control* FindControl(std::u16string_view name, LONG index = kNoIndex) override;
    Control* FocusedControl() const override;

    FormEvents& Events() override { return events_; }
    EventScope EnterEvent() override { return EventScope(shared_from_this()); }
    void RunHandler(const std::function<void()>& handler) noexcept override;

    // Unloads without letting any error out, for the owner's release.
    void UnloadQuietly() noexcept;
    FormDialog& dialog() const { return *dialog_; }

  private:
    void BuildControls();
    void ChainTabOrder();
    void LoadIfNeeded();
    void FocusFirstControlUnlessChosen();
    void RunModalLoop();
    void OnCloseRequest();

    FormDefinition form_;
    FormEvents& events_;
    TwipsScale scale_;
    DialogOwner dialog_;
    // After the dialog, so that they go first: their widgets belong to it.
    std::vector<std::unique_ptr<Control>> controls_;  // in tab order
    QPointer<QEventLoop> modalLoop_;
    bool loaded_ = false;
    bool visible_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
};

using QtWindowHandle = SharedWindowHandle<QtWindow>;

}  // namespace mundor::ui::qt
