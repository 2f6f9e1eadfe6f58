// A window logic for the toolkits' tests: it creates its window on the thread's toolkit, records
// every event it receives and runs what a test hangs on a button, a node, the load, the close
// box, the unload or its error handler.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contracts/ui/ui.h"
#include "error_from.h"

namespace mundor::ui::testing {

class RecordingLogic final : public FormEvents {
  public:
    explicit RecordingLogic(const FormDefinition& form);

    Window& window() { return *window_; }
    void ReleaseWindow() { window_.reset(); }

    // What a click does, per button name ("cmdAction" for the whole array).
    std::map<std::u16string, std::function<void(Button&)>> clicks;
    std::function<void(Tree&, const NodeRef&)> onExpand;
    std::function<void()> onLoad;
    std::function<void()> onUnload;
    std::function<void(const rt::RuntimeError&)> onEventError;
    bool allowClose = true;

    // Every event received, in order: "load", "click cmdAction(1)", "expand <key>",
    // "close request", "unload", "error <number>".
    std::vector<std::u16string> events;
    std::vector<rt::RuntimeError> errors;

    void OnLoad() override {
        events.push_back(u"load");
        if (onLoad) onLoad();
    }
    void OnClick(Button& button) override;
    void OnExpand(Tree& tree, const NodeRef& node) override {
        events.push_back(u"expand " + node->Key());
        if (onExpand) onExpand(tree, node);
    }
    bool OnCloseRequest() override {
        events.push_back(u"close request");
        return allowClose;
    }
    void OnUnload() override {
        events.push_back(u"unload");
        if (onUnload) onUnload();
    }
    void OnEventError(const rt::RuntimeError& error) override;

  private:
    std::unique_ptr<Window> window_;
};

using mundor::testing::ErrorFrom;

}  // namespace mundor::ui::testing
