// What a toolkit's CreateWindow hands the owner: a Window that forwards to the toolkit's own
// window object, which it shares with any modal show still running. Releasing the handle unloads
// the window; the window object itself lives on until the show and the event being handled are
// over.
#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "contracts/ui/window_base.h"

namespace mundor::ui {

class SharedWindowHandle final : public Window {
  public:
    explicit SharedWindowHandle(std::shared_ptr<WindowBase> window) : window_(std::move(window)) {}
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

    WindowBase& window() const { return *window_; }

  private:
    std::shared_ptr<WindowBase> window_;
};

}  // namespace mundor::ui
