// What every toolkit's window does the same way, said once: the window's definition and
// controls, the loaded / visible / unloaded life of window.h, the guards of a modal show, the
// release that unloads quietly, and how an error that escapes an event handler reaches the
// logic. A toolkit derives its window from WindowBase and adds only what is its own: how the
// window shows, runs its modal loop and hides, and where the keyboard focus is.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "contracts/ui/window.h"
#include "runtime/export.h"

namespace mundor::ui {

class MUNDOR_API WindowBase : public Window, public std::enable_shared_from_this<WindowBase> {
  public:
    ~WindowBase() override;

    const FormDefinition& Definition() const final { return form_; }
    // Raises 364 once unloaded and 400 while shown; loads the window the first time (an error
    // of OnLoad leaves through here, with nothing shown), then runs the toolkit's modal show.
    void ShowModal() final;
    void Hide() final;
    void Unload() final;
    bool Visible() const final { return visible_; }
    Control* FindControl(std::u16string_view name, LONG index = kNoIndex) final;

    // Unloads without letting any error out, as releasing the window must; a dropped error goes
    // to the log.
    void UnloadQuietly() noexcept;

    // Runs one of the logic's event handlers as an event loop runs it: an error that escapes goes
    // to the logic's OnEventError, and one that escapes that too is recorded as the thread's last
    // error and logged. The toolkit's own failures (PassOnToolkitFailure) are not the logic's.
    void RunHandler(const std::function<void()>& handler);

    FormEvents& events() const { return events_; }

  protected:
    // Checks the definition (CheckFormDefinition); the toolkit then adds the controls.
    WindowBase(FormDefinition form, FormEvents& events);

    void AddControl(std::unique_ptr<Control> control);
    // In the order they were added.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // For a toolkit whose controls must go before its widgets do.
    void DestroyControls() { controls_.clear(); }
    // Takes the window off the screen's books without the toolkit's hide: for a modal run that
    // failed and leaves nothing waiting on the window.
    void DropVisible() { visible_ = false; }

    // Before every show: what the toolkit must check first (its thread, an earlier failure).
    virtual void CheckToolkit() {}
    // Shows the window, now marked visible, and returns when it is hidden again.
    virtual void RunModal() = 0;
    // Takes the window, now marked hidden, off the screen and ends its modal run.
    virtual void HideFromScreen() = 0;
    // Called inside a catch block, before an escaped error is taken as the logic's: raises again
    // a failure of the toolkit's own that must reach its caller rather than the window's logic.
    virtual void PassOnToolkitFailure() {}
    // An error escaped a handler and is about to go to OnEventError.
    virtual void HandlerErrorEscaped(const rt::RuntimeError& error) { static_cast<void>(error); }

  private:
    void LoadIfNeeded();

    FormDefinition form_;
    FormEvents& events_;
    std::vector<std::unique_ptr<Control>> controls_;
    bool loaded_ = false;
    bool visible_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
};

}  // namespace mundor::ui
