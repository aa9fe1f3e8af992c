#include "scripted_prompts.h"

#include <QDialog>

namespace velmora::test {

void ScriptedPrompts::warning(const QString& caption, const QString& text)
{
    shown_.push_back({Kind::Warning, caption, text, {}});
}

bool ScriptedPrompts::question(const QString& caption, const QString& text)
{
    shown_.push_back({Kind::Question, caption, text, {}});
    if (questionAnswers.empty()) {
        ++unanswered_;
        return false;
    }
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

void ScriptedPrompts::error(const QString& caption, const QString& text)
{
    shown_.push_back({Kind::Error, caption, text, {}});
}

std::optional<QString> ScriptedPrompts::openFile(const FileDialogSettings& settings)
{
    shown_.push_back({Kind::OpenFile, settings.title, {}, settings});
    if (openAnswers.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const bool chosen = openAnswers.front().has_value();
    const QString path = chosen ? *openAnswers.front() : QString();
    openAnswers.pop_front();
    return chosen ? std::optional<QString>(path) : std::nullopt;
}

std::optional<SaveFileChoice> ScriptedPrompts::saveFile(const FileDialogSettings& settings)
{
    shown_.push_back({Kind::SaveFile, settings.title, {}, settings});
    if (saveAnswers.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const bool chosen = saveAnswers.front().has_value();
    const SaveFileChoice choice = chosen ? *saveAnswers.front() : SaveFileChoice{};
    saveAnswers.pop_front();
    return chosen ? std::optional<SaveFileChoice>(choice) : std::nullopt;
}

std::optional<int> ScriptedPrompts::chooseItem(const QString& caption, const QStringList& items, int current)
{
    shown_.push_back({Kind::Choice, caption, items.value(current), {}});
    lastChoiceItems = items;
    if (choiceAnswers.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const std::optional<int> answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

bool ScriptedPrompts::runDialog(QDialog& dialog)
{
    shown_.push_back({Kind::Dialog, dialog.windowTitle(), dialog.objectName(), {}});
    if (dialogAnswers.empty()) {
        ++unanswered_;
        return false;
    }
    const std::function<bool(QDialog&)> answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    return answer(dialog);
}

std::vector<ScriptedPrompts::Shown> ScriptedPrompts::shown(Kind kind) const
{
    std::vector<Shown> result;
    for (const Shown& s : shown_)
        if (s.kind == kind)
            result.push_back(s);
    return result;
}

void ScriptedPrompts::clear()
{
    shown_.clear();
    unanswered_ = 0;
    questionAnswers.clear();
    openAnswers.clear();
    saveAnswers.clear();
    choiceAnswers.clear();
    dialogAnswers.clear();
}

}  // namespace velmora::test
