// The headless toolkit: windows and controls in memory, a scripted user in place of a person and
// a transcript of everything shown. Tests install it on their thread and drive the component
// end to end; hosts can use it for their own automated runs.
//
//   headless::HeadlessToolkit toolkit;
//   ui::ScopedThreadToolkit installed(toolkit);
//   toolkit.user().OnShow(u"dlgPais").Type(u"ctrlCodigo", u"MX").Click(u"cmdAceptar");
//   toolkit.user().AnswerMessageBox(ui::vbOK);
//   ... run the component ...
//   EXPECT_EQ(toolkit.transcript().Only<headless::MessageBoxShown>().size(), 1u)
//       << toolkit.transcript().Text();
#pragma once

#include <memory>
#include <optional>

#include "contracts/ui/toolkit.h"
#include "runtime/error.h"
#include "runtime/export.h"
#include "ui/headless/scripted_user.h"
#include "ui/headless/session.h"
#include "ui/headless/transcript.h"

namespace mundor::ui::headless {

class MUNDOR_API HeadlessToolkit final : public Toolkit {
  public:
    HeadlessToolkit();
    ~HeadlessToolkit() override;

    std::unique_ptr<Window> CreateWindow(const FormDefinition& form, FormEvents& events) override;
    // Takes the next planned answer. A box with no answer planned, or with an answer that is not
    // one of its buttons, is a script failure (kScriptFailure).
    LONG MsgBox(const MessageBoxRequest& request) override;

    ScriptedUser& user() { return session_->user(); }
    const Transcript& transcript() const { return session_->transcript(); }
    // The script failure of this run, if one happened (also raised where it happened).
    const std::optional<rt::RuntimeError>& failure() const { return session_->failure(); }

  private:
    std::shared_ptr<Session> session_;
};

}  // namespace mundor::ui::headless
