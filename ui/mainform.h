// The editor's main window: the forty picture boxes of a room, its three
// texts, the menus, and the state every command works on.
#pragma once

#include "ui/services/editor_context.h"
#include "ui/services/environment.h"
#include "ui/services/language_texts.h"
#include "ui/services/prompts.h"
#include "ui/services/qt_translations.h"
#include "ui/services/settings.h"

#include "core/room/part_check.h"
#include "core/room/room_file.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <span>

class QAction;
class QLabel;
class QMenu;

namespace velmora {

class PictureBox;
class RoomTextEdit;

class TMainForm : public QMainWindow, public EditorContext {
    Q_OBJECT
public:
    // Builds the window, reads the language setting and applies the texts.
    // Throws when the language files cannot be read or the setting cannot be
    // written. `prompts` is not owned; null means the real message boxes.
    explicit TMainForm(Environment environment = {}, Prompts* prompts = nullptr);
    ~TMainForm() override;

    // The pictures of the forty slots.
    const Bitmap& slotPicture(int slot) const;
    const RoomPictures& slotPictures() const override { return pictures_; }
    void setSlotPicture(int slot, Bitmap picture) override;
    PictureBox* pictureBox(int slot) const;
    int selectedSlot() const { return selectedSlot_; }

    // Picture changes since the room was last opened or saved.
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // A picture changed or a text field was edited.
    bool hasUnsavedChanges() const;

    // The texts as room bytes; untouched fields give back what was set.
    RoomTexts roomTexts() const;
    // Sets the three fields and clears their modified state.
    void setRoomTexts(const RoomTexts& texts);
    // Clears the fields' modified state, keeping their texts (after a save).
    void markTextsSaved();

    const LanguageTexts& languageTexts() const override { return texts_; }
    const QString& languageCode() const { return languageCode_; }
    // The encoding of room texts, empty for the locale's; it applies to the
    // next open and save, the texts shown stay as they are.
    const QByteArray& textEncoding() const { return textEncoding_; }
    void setTextEncoding(const QByteArray& encoding);
    void setLanguageCode(const QString& code) override { languageCode_ = code; }
    // Reloads the three language files and relabels the window; throws
    // FileOpenError or ListIndexError, leaving what was set before.
    void applyTexts();

    // Message boxes with the captions of the labels list; they throw
    // ListIndexError when a line is missing.
    void showWarning(int messageIndex);
    void showWarningText(const QString& text);
    bool askQuestion(int messageIndex);
    // The error box: the application title as caption.
    void showError(const QString& text);
    Prompts& prompts() override { return *prompts_; }
    QWidget* dialogParent() override { return this; }

    // Runs one command; an exception escaping it is shown in the error box
    // and the program goes on.
    void runCommand(const std::function<void()>& command) override;

    const QString& programFolder() const override { return programFolder_; }
    QString tempFolder() const;
    const Settings& settings() const override { return settings_; }

    // The four file dialogs of the window, as settings for the prompts.
    const FileDialogSettings& openPictureDialog() const { return openPictureDialog_; }
    const FileDialogSettings& savePictureDialog() const { return savePictureDialog_; }
    const FileDialogSettings& openDialog() const { return openDialog_; }
    const FileDialogSettings& saveDialog() const { return saveDialog_; }

    QMenu* popupMenu() const { return PopupMenu; }

    // File menu (mainform_file.cpp).
    void OpenRoomFileClick();
    void SaveRoomFileClick();
    void ShowCheckClick();
    // Config menu (mainform_config.cpp).
    void EditorSetClick();
    void LanguageSetClick();
    void TextEncodingSetClick();
    // Help menu (mainform_help.cpp).
    void ContentsClick();
    void AboutClick();
    // Part popup menu (mainform_parts.cpp).
    void EditClick();
    void OpenPFileClick();
    void SavePFileClick();
    void CopyImageClick();
    void CreateMaskClick();
    void CopyDataClick();
    void PastePartsClick();
    void PopupMenuPopup();

    // A press on any picture box selects its slot.
    void WinDayImageMouseDown(int slot);

    // Taking a BMP file into a slot (Load from bitmapfile, Edit). The check
    // shows its own warning or question and reads the palette file anew:
    // Accepted or PaletteMissing mean take it, Refused carries the message
    // (6 when the palette question was answered No).
    CheckResult checkPartBitmap(std::span<const uint8_t> fileBytes, int slot);
    // Decodes the file into the slot and sets the modified flag; false after
    // a warning naming the file when it does not decode (slot unchanged).
    bool takePartBitmap(std::span<const uint8_t> fileBytes, int slot, const QString& fileNameForMessages);

    // Open and Load from bitmapfile once the file is chosen: the same
    // checks and messages, whoever chose the file (dialog, command line, drop).
    void openRoomFile(const QString& path);
    void loadPartFile(const QString& path, int slot);
    // `velmora ROOM.pac`: the room opens as Open would once the window is up;
    // one that fails leaves the default room after the warning.
    void openFromCommandLine(const QStringList& arguments);
    // A room file dropped on the window: asks about unsaved changes as Open does.
    void openDroppedRoomFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    // Sizes the window so that its outer size, frame included, is the design's.
    void fitOuterSize();
    void createMenus();
    void createDialogs();
    void readLanguageSetting();
    void readTextEncodingSetting();
    // Connects a menu item to its handler through runCommand.
    void bind(QAction* action, void (TMainForm::*handler)());

    Environment environment_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_;
    Settings settings_;

    std::array<Bitmap, PartSlotTable::kSlotCount> pictures_;
    std::array<PictureBox*, PartSlotTable::kSlotCount> boxes_{};
    std::array<QLabel*, 14> captions_{};  // labels lines 2 to 15, in that order
    std::array<RoomTextEdit*, 3> fields_{};  // RoomName, Comment, Copyright

    QString programFolder_;
    QString languageCode_;
    QByteArray textEncoding_;
    LanguageTexts texts_;
    int selectedSlot_ = 0;
    bool modified_ = false;
    // The frame size the window was last sized for; none before it is shown.
    QSize fittedFrame_{-1, -1};
    QtTranslations qtTranslations_;

    FileDialogSettings openPictureDialog_;
    FileDialogSettings savePictureDialog_;
    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;

    // Menu items, named as designed.
    QMenu* FileMenu = nullptr;
    QAction* OpenRoomFile = nullptr;
    QAction* SaveRoomFile = nullptr;
    QAction* N1 = nullptr;
    QAction* ShowCheck = nullptr;
    QAction* N2 = nullptr;
    QAction* Exit = nullptr;
    QMenu* Config = nullptr;
    QAction* EditorSet = nullptr;
    QAction* LanguageSet = nullptr;
    QAction* TextEncodingSet = nullptr;
    QMenu* Help = nullptr;
    QAction* Contents = nullptr;
    QAction* About = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* Edit = nullptr;
    QAction* OpenPFile = nullptr;
    QAction* SavePFile = nullptr;
    QAction* CopyImage = nullptr;
    QAction* CreateMask = nullptr;
    QAction* CopyData = nullptr;
    QAction* PasteParts = nullptr;
};

}  // namespace velmora
