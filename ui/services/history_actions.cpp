#include "ui/services/history_actions.h"

#include "ui/services/language_lines.h"

#include <QAction>
#include <QUndoStack>

namespace velmora {

void ShowHistoryOn(QAction& undo, QAction& redo, const QUndoStack& history, const LanguageTexts& texts)
{
    auto caption = [](const QString& command, const QString& step) {
        return step.isEmpty() ? command : command + QLatin1Char(' ') + step;
    };
    undo.setText(caption(TextOf(texts, Text::Undo), history.undoText()));
    redo.setText(caption(TextOf(texts, Text::Redo), history.redoText()));
    undo.setEnabled(history.canUndo());
    redo.setEnabled(history.canRedo());
}

}  // namespace velmora
