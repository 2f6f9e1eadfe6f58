// The scripted user: what a test (or a host's own automated run) says the user will do. For each
// window name, one ShowScript per time that window is shown modally, used in order; for the
// message boxes, one planned answer per box, used in order whatever window raised the box.
//
//   user.OnShow(u"dlgPais").Type(u"ctrlCodigo", u"MX").Click(u"cmdAceptar");
//   user.AnswerMessageBox(ui::vbYes);
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/ui/window.h"
#include "runtime/com_types.h"
#include "runtime/export.h"
#include "ui/headless/transcript.h"

namespace mundor::ui::headless {

struct UserAction {
    UserActionKind kind = UserActionKind::Run;
    std::u16string control;
    LONG index = kNoIndex;
    std::u16string text;  // what to type, the node's key, or the step's description
    TextPath path;        // a node found by its texts instead of its key
    std::function<void(Window&)> step;
};

// What the user does during one modal showing of a window. The window must hide itself by the
// last action (the run fails otherwise), and no action may be left when it hides.
class MUNDOR_API ShowScript {
  public:
    // Replaces the field's text, as typing over a selected text does. The user cannot type into
    // a field that is not editable, nor past its `max` length.
    ShowScript& Type(std::u16string_view field, std::u16string_view text);
    ShowScript& Click(std::u16string_view button, LONG index = kNoIndex);
    // Alt and a letter: clicks the first button, in tab order, whose caption marks that letter
    // as its access key ("&Aceptar" for A), without regard to case.
    ShowScript& PressAccessKey(char16_t letter);
    // The node must be on screen: every node above it expanded.
    ShowScript& SelectNode(std::u16string_view tree, std::u16string_view key);
    // The same, with the node found as a person finds it: by the texts on the way to it, from
    // its root down. No node with those texts, or more than one, is a script failure.
    ShowScript& SelectPath(std::u16string_view tree, TextPath path);
    // The node must be on screen, closed and have children (nothing else shows a plus sign).
    ShowScript& ExpandNode(std::u16string_view tree, std::u16string_view key);
    ShowScript& ExpandPath(std::u16string_view tree, TextPath path);
    ShowScript& CollapseNode(std::u16string_view tree, std::u16string_view key);
    ShowScript& CollapsePath(std::u16string_view tree, TextPath path);
    // The window's close box.
    ShowScript& Close();
    // Any step of the test's own, run while the window is shown; it must not raise.
    ShowScript& Run(std::u16string_view description, std::function<void(Window&)> step);

    const std::vector<UserAction>& actions() const { return actions_; }

  private:
    ShowScript& Add(UserActionKind kind, std::u16string_view control, LONG index,
                    std::u16string_view text);
    ShowScript& AddPath(UserActionKind kind, std::u16string_view tree, TextPath path);
    std::vector<UserAction> actions_;
};

// For a scripted step (ShowScript::Run) that decides what the user does as it goes, a loop say:
// does the actions of `script` on `window`, a shown headless window, now and in order, as a
// planned showing would. The windows and boxes they open take their scripts and answers from
// the scripted user as usual. A script failure is raised.
MUNDOR_API void ActNow(Window& window, const ShowScript& script);

struct PlannedAnswer {
    std::optional<LONG> answer;                    // none: press the box's default button
    std::optional<std::u16string> expectedPrompt;  // when set, the box must show this prompt
};

class MUNDOR_API ScriptedUser {
  public:
    // The script for the next not yet scripted showing of that window.
    ShowScript& OnShow(std::u16string_view window);
    // The answer to the next message box; with a prompt, the box must show exactly that text.
    ScriptedUser& AnswerMessageBox(LONG answer);
    ScriptedUser& AnswerMessageBox(LONG answer, std::u16string_view expectedPrompt);
    // Presses Enter on the next message box: its default button.
    ScriptedUser& PressDefaultButton();

    // What the run has not used yet, one line each; empty when everything was used.
    std::u16string Unused() const;
    bool AllUsed() const { return Unused().empty(); }

    // The toolkit's side: the next script of a window, the next answer.
    std::optional<ShowScript> TakeShowScript(std::u16string_view window);
    std::optional<PlannedAnswer> TakeAnswer();

  private:
    std::map<std::u16string, std::deque<ShowScript>, std::less<>> shows_;
    std::deque<PlannedAnswer> answers_;
};

}  // namespace mundor::ui::headless
