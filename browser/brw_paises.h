// The geography browser window: its tree of countries, states and cities, loaded lazily, its
// commands to add, modify and delete at each level, and its module banner. The window reaches the
// catalog and the facade's dialogs and deletes only through ThisFx, the facade that opened it.
#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "browser/command_context.h"
#include "contracts/ui/window.h"
#include "runtime/app_object.h"
#include "runtime/com_types.h"
#include "runtime/ref.h"

namespace mundor::browser {

class BrwPaises final : public ui::FormEvents {
  public:
    // Builds the window on the calling thread's toolkit; it is not loaded or shown yet. `app` is
    // the component's application object: the banner's identity and the message boxes' title.
    explicit BrwPaises(rt::AppObject app);
    ~BrwPaises();

    // The facade the window works through; set before the window loads. One counted reference
    // is kept until the window object goes.
    void SetThisFx(rt::Ref<IDispatch> facade) { thisFx_ = std::move(facade); }
    const rt::Ref<IDispatch>& ThisFx() const { return thisFx_; }

    // Loads the window (filling its tree and banner) and shows it modally, returning once it
    // has closed. An error of the load leaves from here.
    void ShowModal() { window_->ShowModal(); }
    // Unloading a window that has closed itself already does nothing.
    void Unload() { window_->Unload(); }
    ui::Window& Window() { return *window_; }

    void OnLoad() override;
    void OnClick(ui::Button& button) override;
    void OnExpand(ui::Tree& tree, const ui::NodeRef& node) override;
    // An error that escaped a command or an expansion: shown in the component's error box, with
    // the routine it escaped from; the window stays open as it was.
    void OnEventError(const rt::RuntimeError& error) override;

  private:
    CommandContext Context();

    rt::AppObject app_;
    rt::Ref<IDispatch> thisFx_;
    std::unique_ptr<ui::Window> window_;
    // The routine of the handler running now, for the error box of an error that escapes it.
    std::u16string_view routine_;
};

}  // namespace mundor::browser
