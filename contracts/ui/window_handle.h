// What a toolkit's CreateWindow hands the owner: a Window that forwards to the toolkit's own
// window object, which it shares with any modal loop still running. Releasing the handle unloads
// the window; the window object itself lives on until the loop and the event being handled are
// over.
#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "contracts/ui/window.h"

namespace mundor::ui {

// `W` offers the members of Window plus UnloadQuietly(), an unload that records rather than
// raises an error, as a destructor must.
template <class W>
class SharedWindowHandle final : public Window {
  public:
    explicit SharedWindowHandle(std::shared_ptr<W> window) : window_(std::move(window)) {}
    ~SharedWindowHandle() override { window_->UnloadQuietly(); }

    const FormDefinition& Definition() const override { return window_->Definition(); }
    void ShowModal() override { window_->ShowModal(); }
    void Hide() override { window_->Hide(); }
    void Unload() override { window_->Unload(); }
    bool Visible() const override { return window_->Visible(); }
    Control* FindControl(std::u16string_view name, LONG index = kNoIndex) override {
        return window_->FindControl(name, index);
    }
    Control* FocusedControl() const override { return window_->FocusedControl(); }

    W& window() const { return *window_; }

  private:
    std::shared_ptr<W> window_;
};

}  // namespace mundor::ui
