#include "ui/headless/scripted_user.h"

#include <utility>

#include "runtime/text.h"

namespace mundor::ui::headless {

ShowScript& ShowScript::Add(UserActionKind kind, std::u16string_view control, LONG index,
                            std::u16string_view text) {
    UserAction action;
    action.kind = kind;
    action.control = control;
    action.index = index;
    action.text = text;
    actions_.push_back(std::move(action));
    return *this;
}

ShowScript& ShowScript::AddPath(UserActionKind kind, std::u16string_view tree, TextPath path) {
    Add(kind, tree, kNoIndex, u"");
    actions_.back().path = std::move(path);
    return *this;
}

ShowScript& ShowScript::Type(std::u16string_view field, std::u16string_view text) {
    return Add(UserActionKind::Type, field, kNoIndex, text);
}

ShowScript& ShowScript::Click(std::u16string_view button, LONG index) {
    return Add(UserActionKind::Click, button, index, u"");
}

ShowScript& ShowScript::PressAccessKey(char16_t letter) {
    return Add(UserActionKind::AccessKey, u"", kNoIndex, std::u16string(1, letter));
}

ShowScript& ShowScript::SelectNode(std::u16string_view tree, std::u16string_view key) {
    return Add(UserActionKind::SelectNode, tree, kNoIndex, key);
}

ShowScript& ShowScript::SelectPath(std::u16string_view tree, TextPath path) {
    return AddPath(UserActionKind::SelectNode, tree, std::move(path));
}

ShowScript& ShowScript::ExpandPath(std::u16string_view tree, TextPath path) {
    return AddPath(UserActionKind::ExpandNode, tree, std::move(path));
}

ShowScript& ShowScript::ExpandNode(std::u16string_view tree, std::u16string_view key) {
    return Add(UserActionKind::ExpandNode, tree, kNoIndex, key);
}

ShowScript& ShowScript::CollapseNode(std::u16string_view tree, std::u16string_view key) {
    return Add(UserActionKind::CollapseNode, tree, kNoIndex, key);
}

ShowScript& ShowScript::CollapsePath(std::u16string_view tree, TextPath path) {
    return AddPath(UserActionKind::CollapseNode, tree, std::move(path));
}

ShowScript& ShowScript::Close() {
    return Add(UserActionKind::Close, u"", kNoIndex, u"");
}

ShowScript& ShowScript::Run(std::u16string_view description, std::function<void(Window&)> step) {
    Add(UserActionKind::Run, u"", kNoIndex, description);
    actions_.back().step = std::move(step);
    return *this;
}

ShowScript& ScriptedUser::OnShow(std::u16string_view window) {
    auto found = shows_.find(window);
    if (found == shows_.end()) found = shows_.try_emplace(std::u16string(window)).first;
    return found->second.emplace_back();
}

ScriptedUser& ScriptedUser::AnswerMessageBox(LONG answer) {
    answers_.push_back(PlannedAnswer{answer, std::nullopt});
    return *this;
}

ScriptedUser& ScriptedUser::AnswerMessageBox(LONG answer, std::u16string_view expectedPrompt) {
    answers_.push_back(PlannedAnswer{answer, std::u16string(expectedPrompt)});
    return *this;
}

ScriptedUser& ScriptedUser::PressDefaultButton() {
    answers_.push_back(PlannedAnswer{std::nullopt, std::nullopt});
    return *this;
}

std::u16string ScriptedUser::Unused() const {
    std::u16string unused;
    for (const auto& [window, scripts] : shows_) {
        if (scripts.empty()) continue;
        unused += rt::DecimalText(scripts.size()) + u" aparición(es) sin usar de " + window + u"\n";
    }
    if (!answers_.empty())
        unused +=
            rt::DecimalText(answers_.size()) + u" respuesta(s) a cuadros de mensaje sin usar\n";
    return unused;
}

std::optional<ShowScript> ScriptedUser::TakeShowScript(std::u16string_view window) {
    const auto found = shows_.find(window);
    if (found == shows_.end() || found->second.empty()) return std::nullopt;
    ShowScript next = std::move(found->second.front());
    found->second.pop_front();
    return next;
}

std::optional<PlannedAnswer> ScriptedUser::TakeAnswer() {
    if (answers_.empty()) return std::nullopt;
    PlannedAnswer next = std::move(answers_.front());
    answers_.pop_front();
    return next;
}

}  // namespace mundor::ui::headless
