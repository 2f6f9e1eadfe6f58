// An in-memory window: its controls, its load/visible/unloaded state, and the modal "event
// loop", which here is the scripted user acting on the window until the window hides.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "contracts/ui/window.h"
#include "contracts/ui/window_handle.h"
#include "ui/headless/headless_controls.h"
#include "ui/headless/session.h"

namespace mundor::ui::headless {

class HeadlessWindow final : public Window,
                             public FocusTarget,
                             public std::enable_shared_from_this<HeadlessWindow> {
  public:
    HeadlessWindow(std::shared_ptr<Session> session, FormDefinition form, FormEvents& events);
    ~HeadlessWindow() override;

    const FormDefinition& Definition() const override { return form_; }
    void ShowModal() override;
    void Hide() override;
    void Unload() override;
    bool Visible() const override { return visible_; }
    Control* FindControl(std::u16string_view name, LONG index = kNoIndex) override;
    Control* FocusedControl() const override { return focused_; }

    void MoveFocusTo(Control& control) override;

    // Runs one of the logic's event handlers the way an event loop does: an error that escapes
    // goes to the logic's OnEventError, except a script failure, which goes on to the test.
    void RunHandler(const std::function<void()>& handler);
    FormEvents& events() { return events_; }
    Session& session() { return *session_; }

    // Unloads without letting any error out, for the owner's release.
    void UnloadQuietly() noexcept;

  private:
    void LoadIfNeeded();
    void RunScript(const ShowScript& script);
    [[noreturn]] void FailStillShown(std::u16string reason);

    std::shared_ptr<Session> session_;
    FormDefinition form_;
    FormEvents& events_;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    bool visible_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
};

using WindowHandle = SharedWindowHandle<HeadlessWindow>;

}  // namespace mundor::ui::headless
