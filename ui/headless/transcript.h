// What happened on the headless screen, in order: windows shown and hidden, message boxes with
// their answers, focus moves, what the scripted user did, errors that escaped an event handler,
// and the script failure that stopped a run. Tests assert on the structured entries; Text()
// gives the same history as readable lines for failure messages.
#pragma once

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "contracts/ui/form_definition.h"
#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui::headless {

struct WindowShown {
    std::u16string window{};
    bool operator==(const WindowShown&) const = default;
};

struct WindowHidden {
    std::u16string window{};
    bool operator==(const WindowHidden&) const = default;
};

struct MessageBoxShown {
    std::u16string prompt{};
    LONG style = 0;
    std::u16string title{};  // the title as shown: the application title when none was given
    LONG answer = 0;         // 0 when the box found no usable scripted answer
    bool operator==(const MessageBoxShown&) const = default;
};

struct FocusMoved {
    std::u16string window{};
    std::u16string control{};
    LONG index = kNoIndex;
    bool operator==(const FocusMoved&) const = default;
};

enum class UserActionKind {
    Type,
    Click,
    AccessKey,  // Alt and a button's access-key letter; `control` names the button it pressed
    SelectNode,
    ExpandNode,
    CollapseNode,
    Close,
    Run
};

// A node named by the texts on the way to it, from its root down: {"(52) México", "Jalisco"}.
using TextPath = std::vector<std::u16string>;

struct UserActed {
    std::u16string window{};
    UserActionKind action = UserActionKind::Run;
    std::u16string control{};
    LONG index = kNoIndex;
    std::u16string text{};  // what was typed, the node's key, or the step's description
    TextPath path{};        // the node's texts, when the user found it by them rather than by key
    bool operator==(const UserActed&) const = default;
};

// An error that escaped one of the window's event handlers, as handed to its OnEventError.
struct HandlerFailed {
    std::u16string window{};
    LONG number = 0;
    std::u16string description{};
    bool operator==(const HandlerFailed&) const = default;
};

struct ScriptFailed {
    std::u16string reason{};
    bool operator==(const ScriptFailed&) const = default;
};

using TranscriptEntry = std::variant<WindowShown, WindowHidden, MessageBoxShown, FocusMoved,
                                     UserActed, HandlerFailed, ScriptFailed>;

class MUNDOR_API Transcript {
  public:
    void Add(TranscriptEntry entry) { entries_.push_back(std::move(entry)); }
    const std::vector<TranscriptEntry>& Entries() const { return entries_; }

    // The entries of one kind, in order.
    template <class T>
    std::vector<T> Only() const {
        std::vector<T> found;
        for (const TranscriptEntry& entry : entries_) {
            if (const T* typed = std::get_if<T>(&entry)) found.push_back(*typed);
        }
        return found;
    }

    // One line per entry, indented by how many modal windows were open (UTF-8).
    std::string Text() const;

  private:
    std::vector<TranscriptEntry> entries_;
};

// Readable forms, so test failures print entries rather than bytes.
MUNDOR_API std::string Describe(const TranscriptEntry& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const WindowShown& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const WindowHidden& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const MessageBoxShown& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const FocusMoved& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const UserActed& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const HandlerFailed& entry);
MUNDOR_API std::ostream& operator<<(std::ostream& out, const ScriptFailed& entry);

}  // namespace mundor::ui::headless
