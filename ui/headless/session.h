// The state one headless toolkit shares with every window it made: the scripted user, the
// transcript and the script failure, if one happened. Windows keep the session alive, so a
// window that outlives its toolkit still works.
//
// A script failure (a window left shown with nothing planned, a box with no answer, a step that
// cannot be done) is recorded before it is raised and raised again by every later call into the
// toolkit, so it reaches the test even when the component's own code catches and drops errors.
#pragma once

#include <optional>
#include <string>

#include "runtime/error.h"
#include "runtime/export.h"
#include "ui/headless/scripted_user.h"
#include "ui/headless/transcript.h"

namespace mundor::ui::headless {

// The error number of every script failure.
inline constexpr LONG kScriptFailure = 32761;

class MUNDOR_API Session {
  public:
    ScriptedUser& user() { return user_; }
    Transcript& transcript() { return transcript_; }
    const Transcript& transcript() const { return transcript_; }
    const std::optional<rt::RuntimeError>& failure() const { return failure_; }

    // Records the failure (with the transcript so far in its description) and raises it.
    [[noreturn]] void Fail(std::u16string reason);
    // Raises the recorded failure again, if there is one.
    void ThrowIfFailed() const;

  private:
    ScriptedUser user_;
    Transcript transcript_;
    std::optional<rt::RuntimeError> failure_;
};

}  // namespace mundor::ui::headless
