// Prompts for tests: records every box and dialog, answers from queues.
// A prompt with no answer queued is recorded as unexpected and answered
// with No / Cancel.
#pragma once

#include "ui/services/prompts.h"

#include <deque>
#include <functional>
#include <vector>

namespace velmora::test {

class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Warning, Question, Error, OpenFile, SaveFile, Choice, Dialog };

    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        FileDialogSettings dialog;
    };

    std::deque<bool> questionAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<SaveFileChoice>> saveAnswers;
    std::deque<std::optional<int>> choiceAnswers;
    // A program dialog is answered by a function that works its controls as
    // a user would (press OK, Cancel, ...) and gives back whether it was
    // accepted. The dialog is recorded with its title as caption and its
    // object name as text.
    std::deque<std::function<bool(QDialog&)>> dialogAnswers;
    // The items of the last choice shown.
    QStringList lastChoiceItems;

    void warning(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    void error(const QString& caption, const QString& text) override;
    std::optional<QString> openFile(const FileDialogSettings& settings) override;
    std::optional<SaveFileChoice> saveFile(const FileDialogSettings& settings) override;
    std::optional<int> chooseItem(const QString& caption, const QStringList& items, int current) override;
    bool runDialog(QDialog& dialog) override;

    const std::vector<Shown>& shown() const { return shown_; }
    // The shown prompts of one kind.
    std::vector<Shown> shown(Kind kind) const;
    // Prompts that found no answer queued.
    int unanswered() const { return unanswered_; }
    void clear();

private:
    std::vector<Shown> shown_;
    int unanswered_ = 0;
};

}  // namespace velmora::test
