#include "ui/headless/transcript.h"

#include <string_view>

#include "runtime/bstr.h"

namespace mundor::ui::headless {

namespace {

std::string Utf8(std::u16string_view text) {
    return rt::Utf16ToUtf8(text);
}

std::string Quoted(std::u16string_view text) {
    return "\"" + Utf8(text) + "\"";
}

std::string ControlName(std::u16string_view control, LONG index) {
    if (index == kNoIndex) return Utf8(control);
    return Utf8(control) + "(" + std::to_string(index) + ")";
}

// The node an action names: its key, or the texts on the way to it.
std::string NodeName(const UserActed& entry) {
    if (entry.path.empty()) return "node " + Quoted(entry.text);
    std::string name = "node ";
    for (std::size_t i = 0; i < entry.path.size(); ++i) {
        if (i > 0) name += " > ";
        name += Quoted(entry.path[i]);
    }
    return name;
}

std::string DescribeAction(const UserActed& entry) {
    const std::string control = ControlName(entry.control, entry.index);
    switch (entry.action) {
        case UserActionKind::Type:
            return "user types " + Quoted(entry.text) + " into " + control;
        case UserActionKind::Click:
            return "user clicks " + control;
        case UserActionKind::AccessKey:
            return "user presses Alt+" + Utf8(entry.text) + " (" + control + ")";
        case UserActionKind::SelectNode:
            return "user selects " + NodeName(entry) + " of " + control;
        case UserActionKind::ExpandNode:
            return "user expands " + NodeName(entry) + " of " + control;
        case UserActionKind::CollapseNode:
            return "user collapses " + NodeName(entry) + " of " + control;
        case UserActionKind::Close:
            return "user closes " + Utf8(entry.window);
        case UserActionKind::Run:
            return "scripted step: " + Utf8(entry.text);
    }
    return "user action";
}

struct Describer {
    std::string operator()(const WindowShown& e) const { return "show " + Utf8(e.window); }
    std::string operator()(const WindowHidden& e) const { return "hide " + Utf8(e.window); }
    std::string operator()(const MessageBoxShown& e) const {
        return "message box (style " + std::to_string(e.style) + ", title " + Quoted(e.title) +
               ") " + Quoted(e.prompt) + " -> " + std::to_string(e.answer);
    }
    std::string operator()(const FocusMoved& e) const {
        return "focus to " + Utf8(e.window) + "." + ControlName(e.control, e.index);
    }
    std::string operator()(const UserActed& e) const { return DescribeAction(e); }
    std::string operator()(const HandlerFailed& e) const {
        return "error " + std::to_string(e.number) + " escaped a handler of " + Utf8(e.window) +
               ": " + Utf8(e.description);
    }
    std::string operator()(const ScriptFailed& e) const {
        return "SCRIPT FAILED: " + Utf8(e.reason);
    }
};

template <class T>
std::ostream& Print(std::ostream& out, const T& entry) {
    return out << Describer{}(entry);
}

}  // namespace

std::string Describe(const TranscriptEntry& entry) {
    return std::visit(Describer{}, entry);
}

std::string Transcript::Text() const {
    std::string text;
    std::size_t depth = 0;
    for (const TranscriptEntry& entry : entries_) {
        if (std::holds_alternative<WindowHidden>(entry) && depth > 0) --depth;
        text += std::string(2 * depth, ' ') + Describe(entry) + "\n";
        if (std::holds_alternative<WindowShown>(entry)) ++depth;
    }
    return text;
}

std::ostream& operator<<(std::ostream& out, const WindowShown& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const WindowHidden& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const MessageBoxShown& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const FocusMoved& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const UserActed& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const HandlerFailed& entry) {
    return Print(out, entry);
}
std::ostream& operator<<(std::ostream& out, const ScriptFailed& entry) {
    return Print(out, entry);
}

}  // namespace mundor::ui::headless
