// What every toolkit does the same way is stated once in this folder and run on each toolkit:
// the headless one, whose scripted user plays the plans, and Qt's on real widgets under the
// offscreen platform, where the test's own hands play them with the mouse and the keyboard.
// A test plans what the user does while a window is shown, shows the window, and asserts what
// the window's logic and its controls then say.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/ui/ui.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/headless/scripted_user.h"

namespace mundor::ui::contract {

using namespace ui::testing;
using headless::ShowScript;
using Events = std::vector<std::u16string>;
using Lines = std::vector<std::u16string>;

// A toolkit installed on the test's thread, and the user in front of it.
class ToolkitUnderTest {
  public:
    virtual ~ToolkitUnderTest() = default;
    // What the user does during the next showing of `window`, in order. The plan must end the
    // show: an unended show is a script failure on the headless toolkit and a hang on Qt's.
    virtual ShowScript& OnShow(Window& window) = 0;
    // What the tree shows on the screen, one line per node in the order it shows them, indented
    // a space a level: "(52) México", " Jalisco"; none when the nodes are all there is.
    virtual std::optional<Lines> Shown(Tree& tree) = 0;
};

// "Headless" or "Qt".
std::unique_ptr<ToolkitUnderTest> MakeToolkit(std::string_view name);

class ContractTest : public ::testing::TestWithParam<const char*> {
  protected:
    ShowScript& OnShow(Window& window) { return toolkit_->OnShow(window); }

    std::unique_ptr<ToolkitUnderTest> toolkit_ = MakeToolkit(GetParam());
};

inline auto EveryToolkit() {
    return ::testing::Values("Headless", "Qt");
}
inline std::string ToolkitName(const ::testing::TestParamInfo<const char*>& info) {
    return info.param;
}

}  // namespace mundor::ui::contract
