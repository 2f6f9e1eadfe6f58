// The geography browser window: its tree of countries, states and cities, loaded lazily, and its
// module banner. The window reaches the catalog only through ThisFx, the facade that opened it.
#pragma once

#include <memory>
#include <utility>

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
    void OnEventError(const rt::RuntimeError& error) override;

  private:
    rt::AppObject app_;
    rt::Ref<IDispatch> thisFx_;
    std::unique_ptr<ui::Window> window_;
};

}  // namespace mundor::browser
