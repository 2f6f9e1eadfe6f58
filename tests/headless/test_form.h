// A small form and window logic used only by these tests: a few text fields, buttons (one of
// them an array), a module banner and a tree, and a logic object that records every event and
// runs what a test hangs on a button or a node.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/ui/ui.h"
#include "ui/headless/headless_toolkit.h"

namespace mundor::ui::headless::testing {

// "dlgPrueba" unless named otherwise.
FormDefinition TestForm(std::u16string name = u"dlgPrueba");

// The application object of the component under test, as far as message boxes need it.
rt::AppObject TestApp();

class TestLogic final : public FormEvents {
  public:
    explicit TestLogic(FormDefinition form = TestForm());

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

// A fresh headless toolkit installed on the test's thread.
class HeadlessTest : public ::testing::Test {
  protected:
    ScriptedUser& user() { return toolkit_.user(); }
    const Transcript& transcript() const { return toolkit_.transcript(); }

    HeadlessToolkit toolkit_;
    ScopedThreadToolkit installed_{toolkit_};
};

// Runs `call` and returns the run-time error it raised; fails the test when it raised none.
rt::RuntimeError ErrorFrom(const std::function<void()>& call);

}  // namespace mundor::ui::headless::testing
