// What a dialog may ask of the editor's main window: the room's pictures as
// its document holds them, a change of them as one step of the document's
// history, the language texts, the prompts, the settings, and running a
// command with its errors shown. Dialogs hold this, not the window itself,
// so they sit a level below it.
#pragma once

#include "ui/services/failure_messages.h"

#include "document/room_document.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace velmora {

class LanguageTexts;
class Prompts;
class Settings;

class EditorContext {
public:
    virtual ~EditorContext() = default;

    // The window dialogs are centred on and owned by.
    virtual QWidget* dialogParent() = 0;

    virtual const RoomPictures& slotPictures() const = 0;
    // Changes slots as one step of the room's history, named `stepName`
    // (a menu command's caption, see StepName).
    virtual void changeSlots(const QString& stepName, std::vector<SlotPicture> changes) = 0;

    virtual const LanguageTexts& languageTexts() const = 0;
    virtual void setLanguageCode(const QString& code) = 0;
    virtual Prompts& prompts() = 0;
    virtual const Settings& settings() const = 0;
    virtual const QString& programFolder() const = 0;

    // Runs one command; an exception escaping it is shown in the error box.
    virtual void runCommand(const std::function<void()>& command) = 0;
    // Tells the user of a failure at a boundary, in the message and box
    // MessageFor gives.
    virtual void showFailure(Attempt attempt, const Failure& failure) = 0;

    // The room's File > Save, Save As and Check, with their questions and messages.
    virtual void saveRoom() = 0;
    virtual void saveRoomAs() = 0;
    virtual void checkRoom() = 0;
};

}  // namespace velmora
