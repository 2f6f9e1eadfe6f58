// What every toolkit does the same way is stated once in this folder and run on each toolkit:
// the headless one, whose scripted user plays the plans, and Qt's on real widgets under the
// offscreen platform, where the test's own hands play them with the mouse and the keyboard.
// A test plans what the user does while a window is shown, shows the window, and asserts what
// the window's logic and its controls then say.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
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

struct ToolkitParam {
    const char* name;
    std::unique_ptr<ToolkitUnderTest> (*make)();
};
inline void PrintTo(const ToolkitParam& toolkit, std::ostream* out) {
    *out << toolkit.name;
}
std::unique_ptr<ToolkitUnderTest> MakeHeadless();
std::unique_ptr<ToolkitUnderTest> MakeQt();

class ContractTest : public ::testing::TestWithParam<ToolkitParam> {
  protected:
    ShowScript& OnShow(Window& window) { return toolkit_->OnShow(window); }

    std::unique_ptr<ToolkitUnderTest> toolkit_ = GetParam().make();
};

inline auto EveryToolkit() {
    return ::testing::Values(ToolkitParam{"Headless", &MakeHeadless}, ToolkitParam{"Qt", &MakeQt});
}
inline std::string ToolkitName(const ::testing::TestParamInfo<ToolkitParam>& info) {
    return info.param.name;
}

}  // namespace mundor::ui::contract
