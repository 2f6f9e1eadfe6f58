// The headless toolkit's tests: a fresh toolkit installed on the test's thread, with the sample
// forms and the recording window logic every toolkit's tests share.
#pragma once

#include <gtest/gtest.h>

#include "contracts/ui/ui.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/headless/headless_toolkit.h"

namespace mundor::ui::headless::testing {

using namespace ui::testing;

class HeadlessTest : public ::testing::Test {
  protected:
    ScriptedUser& user() { return toolkit_.user(); }
    const Transcript& transcript() const { return toolkit_.transcript(); }

    HeadlessToolkit toolkit_;
    ScopedThreadToolkit installed_{toolkit_};
};

}  // namespace mundor::ui::headless::testing
