// A window logic for tests: it creates its window on the thread's toolkit, records every event
// it receives and runs what a test hangs on a button, a node, the load or the close box.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contracts/ui/ui.h"

namespace mundor::ui::qt::testing {

class RecordingLogic final : public FormEvents {
  public:
    explicit RecordingLogic(const FormDefinition& form);

    Window& window() { return *window_; }
    void ReleaseWindow() { window_.reset(); }

    // What a click does, per button name ("cmdAction" for the whole array).
    std::map<std::u16string, std::function<void(Button&)>> clicks;
    std::function<void(Tree&, const NodeRef&)> onExpand;
    std::function<void()> onLoad;
    bool allowClose = true;

    // Every event received, in order: "load", "click cmdAction(1)", "expand <key>",
    // "close request", "unload", "error <number>".
    std::vector<std::u16string> events;
    std::vector<rt::RuntimeError> errors;

    void OnLoad() override;
    void OnClick(Button& button) override;
    void OnExpand(Tree& tree, const NodeRef& node) override;
    bool OnCloseRequest() override;
    void OnUnload() override;
    void OnEventError(const rt::RuntimeError& error) override;

  private:
    std::unique_ptr<Window> window_;
};

}  // namespace mundor::ui::qt::testing
