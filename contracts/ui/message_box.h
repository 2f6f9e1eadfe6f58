// The modal message box: a prompt, a style (buttons + icon + default button, summed as the
// platform numbers them) and a title; the answer is the code of the button pressed. A box given
// no title of its own shows the calling component's application title, so every request carries
// that title with it: the toolkit serves several components and knows none of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/app_object.h"
#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui {

// Style parts, summed into one style value (308 = vbYesNo + vbExclamation + vbDefaultButton2).
inline constexpr LONG vbOKOnly = 0;
inline constexpr LONG vbOKCancel = 1;
inline constexpr LONG vbAbortRetryIgnore = 2;
inline constexpr LONG vbYesNoCancel = 3;
inline constexpr LONG vbYesNo = 4;
inline constexpr LONG vbRetryCancel = 5;
inline constexpr LONG vbCritical = 16;
inline constexpr LONG vbQuestion = 32;
inline constexpr LONG vbExclamation = 48;
inline constexpr LONG vbInformation = 64;
inline constexpr LONG vbDefaultButton1 = 0;
inline constexpr LONG vbDefaultButton2 = 256;
inline constexpr LONG vbDefaultButton3 = 512;

// Answers: the code of the button the user pressed.
inline constexpr LONG vbOK = 1;
inline constexpr LONG vbCancel = 2;
inline constexpr LONG vbAbort = 3;
inline constexpr LONG vbRetry = 4;
inline constexpr LONG vbIgnore = 5;
inline constexpr LONG vbYes = 6;
inline constexpr LONG vbNo = 7;

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

// What a style shows: its icon, its buttons (as answer codes, left to right) and which of them
// Enter presses.
struct MUNDOR_API MessageBoxLook {
    MessageIcon icon = MessageIcon::None;
    std::vector<LONG> buttons{};
    LONG defaultButton = vbOK;
    bool Offers(LONG answer) const;
    bool operator==(const MessageBoxLook&) const = default;
};

// Decodes a style; a style with parts the platform does not know raises the invalid-call error.
MUNDOR_API MessageBoxLook DescribeStyle(LONG style);

struct MessageBoxRequest {
    std::u16string prompt{};
    LONG style = vbOKOnly;
    std::optional<std::u16string> title{};  // none: the box shows the application title
    std::u16string applicationTitle{};      // the calling component's own title
    const std::u16string& ShownTitle() const { return title ? *title : applicationTitle; }
};

// The message box as a component calls it: `app` is the component's own application object,
// whose title a box without a title of its own shows. Goes to the thread's toolkit; blocks
// until the user answers and returns the answer code.
MUNDOR_API LONG MsgBox(const rt::AppObject& app, std::u16string_view prompt, LONG style = vbOKOnly,
                       std::optional<std::u16string_view> title = std::nullopt);

}  // namespace mundor::ui
