// Undo and Redo of any window on the room document: their captions name
// the step they take ("Undo Make mask") and they are enabled when it exists.
#pragma once

class QAction;
class QUndoStack;

namespace velmora {

class LanguageTexts;

void ShowHistoryOn(QAction& undo, QAction& redo, const QUndoStack& history, const LanguageTexts& texts);

}  // namespace velmora
