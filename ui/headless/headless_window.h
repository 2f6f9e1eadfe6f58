// An in-memory window: the shared window life, with its controls in memory, the focus and the
// transcript kept here, and a modal "event loop" that is the scripted user acting on the window
// until the window hides.
#pragma once

#include <memory>
#include <string>

#include "contracts/ui/window_base.h"
#include "contracts/ui/window_handle.h"
#include "ui/headless/headless_controls.h"
#include "ui/headless/session.h"

namespace mundor::ui::headless {

class HeadlessWindow final : public WindowBase, public FocusTarget {
  public:
    HeadlessWindow(std::shared_ptr<Session> session, FormDefinition form, FormEvents& events);

    Control* FocusedControl() const override { return focused_; }
    void MoveFocusTo(Control& control) override;

    Session& session() { return *session_; }

    // Does the script's actions in order; the window must stay shown until the last of them.
    void RunScript(const ShowScript& script);

  private:
    // A script failure of this run is raised again on every later show.
    void CheckToolkit() override { session_->ThrowIfFailed(); }
    void RunModal() override;
    void HideFromScreen() override;
    // A script failure is never the window's own error: it goes on to the test.
    void PassOnToolkitFailure() override { session_->ThrowIfFailed(); }
    void HandlerErrorEscaped(const rt::RuntimeError& error) override;

    [[noreturn]] void FailStillShown(std::u16string reason);

    std::shared_ptr<Session> session_;
    Control* focused_ = nullptr;
};

}  // namespace mundor::ui::headless
