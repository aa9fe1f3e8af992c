// The editor's main window: a view of the room document (its forty picture
// boxes, three text fields, title and Edit menu follow the document), the
// menus, and the commands, which change the room through the document.
#pragma once

#include "ui/services/editor_context.h"
#include "ui/services/environment.h"
#include "ui/services/language_lines.h"
#include "ui/services/language_texts.h"
#include "ui/services/prompts.h"
#include "ui/services/qt_translations.h"
#include "common/settings.h"
#include "ui/widgets/room_text_edit.h"

#include "common/file_stamp.h"
#include "document/room_document.h"
#include "core/edit/rgba_picture.h"
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
class QTimer;

namespace velmora {

class PainterWindow;
enum class LayeredFormat;
class PictureBox;
class RoomRecovery;

class TMainForm : public QMainWindow, public EditorContext {
    Q_OBJECT
public:
    // Builds the window, reads the language setting and applies the texts.
    // Throws when the language files cannot be read or the setting cannot be
    // written. `prompts` is not owned; null means the real message boxes.
    explicit TMainForm(Environment environment = {}, Prompts* prompts = nullptr);
    ~TMainForm() override;

    // The room being edited. The boxes, the text fields, the title and the
    // Edit menu show what it holds and follow its signals; every command
    // changes the room through it.
    RoomDocument& document() { return *document_; }
    const RoomDocument& document() const { return *document_; }

    const RoomPictures& slotPictures() const override { return document_->pictures(); }
    // One step of the document's history.
    void changeSlots(const QString& stepName, std::vector<SlotPicture> changes) override;
    PictureBox* pictureBox(int slot) const;
    int selectedSlot() const { return selectedSlot_; }

    const LanguageTexts& languageTexts() const override { return texts_; }
    const QString& languageCode() const { return languageCode_; }
    void setLanguageCode(const QString& code) override { languageCode_ = code; }
    // Reloads the three language files and relabels the window
    // (mainform_texts.cpp); throws
    // FileOpenError or ListIndexError, leaving what was set before.
    void applyTexts();

    // Message boxes with the captions of the labels list; they throw
    // ListIndexError when a line every language file has is missing.
    void showWarning(Text message);
    void showWarningText(const QString& text);
    bool askQuestion(Text message);
    bool askQuestionText(const QString& text);
    // The error box: the application title as caption.
    void showError(const QString& text);
    void showFailure(Attempt attempt, const Failure& failure) override;
    Prompts& prompts() override { return *prompts_; }
    QWidget* dialogParent() override { return this; }

    // Runs one command; an exception escaping it is shown in the error box
    // (the core's errors in the chosen language) and the program goes on.
    void runCommand(const std::function<void()>& command) override;

    const QString& programFolder() const override { return programFolder_; }
    QString tempFolder() const;
    const Settings& settings() const override { return settings_; }

    // The four file dialogs of the window, as settings for the prompts.
    const FileDialogSettings& openPictureDialog() const { return openPictureDialog_; }
    const FileDialogSettings& savePictureDialog() const { return savePictureDialog_; }
    const FileDialogSettings& openDialog() const { return openDialog_; }
    const FileDialogSettings& saveDialog() const { return saveDialog_; }
    // Its filters name every format Qt's image plugins read; asking loads
    // every plugin, so that waits until the dialog is wanted.
    FileDialogSettings importPictureDialog() const;
    const FileDialogSettings& exportPictureDialog() const { return exportPictureDialog_; }

    QMenu* popupMenu() const { return PopupMenu; }

    // File menu (mainform_file.cpp).
    void OpenRoomFileClick();
    void SaveClick();
    void SaveRoomFileClick();
    void saveRoom() override { SaveClick(); }
    void saveRoomAs() override { SaveRoomFileClick(); }
    void checkRoom() override { ShowCheckClick(); }
    // The rooms of File > Recent rooms, newest first.
    QStringList recentRooms() const;
    void openRecentRoom(const QString& path);
    // When the window becomes active: offers to open the room's file again
    // if another program changed it and nothing here is unsaved; asked once
    // for each change.
    void offerReload();
    // Edit menu (mainform_history.cpp).
    void UndoClick();
    void RedoClick();
    void ShowCheckClick();
    // File > Export and Import layered picture (mainform_layers.cpp): the
    // whole room as one OpenRaster or Aseprite file and back, the import as
    // one step after its dialog.
    void ExportLayersClick();
    void ImportLayersClick();
    void exportLayers(const QString& path, LayeredFormat format);
    void importLayers(const QString& path);
    FileDialogSettings exportLayersDialog() const;
    FileDialogSettings importLayersDialog() const;
    // Config menu (mainform_config.cpp).
    void EditorSetClick();
    void LanguageSetClick();
    void TextEncodingSetClick();
    void DoubleClickSetClick();
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
    void ImportPictureClick();
    void ExportPictureClick();
    void CopyPictureClick();
    void PastePictureClick();
    void PaintClick();
    void PopupMenuPopup();

    // A press on any picture box selects its slot.
    void WinDayImageMouseDown(int slot);
    // A double-click on a picture box: the image editor (EditClick) or, when
    // the settings say so, the painter (PaintClick).
    void PictureDoubleClick();

    // The painter window, one for this editor; null until first opened.
    PainterWindow* painter() const { return painter_.get(); }

    // Open and Load from bitmapfile once the file is chosen: the same
    // checks and messages, whoever chose the file (dialog, command line, drop).
    void openRoomFile(const QString& path);
    void loadPartFile(const QString& path, int slot);
    // Import picture once the file is chosen (menu or drop): a picture of any
    // format Qt reads, converted into the slot and, for a part with
    // see-through pixels, its mask; one change of the room. A picture of
    // another size, or any with `choose`, goes through the import dialog
    // first. A picture that cannot be read changes nothing, after a warning.
    void importPicture(const QString& path, int slot, bool choose = false);
    // Export picture: the slot as PNG, a part with its transparency.
    void exportPicture(const QString& path, int slot);
    // `velmora ROOM.pac`: the room opens as Open would once the window is up;
    // one that fails leaves the default room after the warning.
    void openFromCommandLine(const QStringList& arguments);
    // A room file dropped on the window: asks about unsaved changes as Open does.
    void openDroppedRoomFile(const QString& path);

    // Recovery (mainform_recovery.cpp). At start: offers the newest recovery
    // file no running editor holds; Yes brings the room back unsaved, No
    // deletes the file.
    void offerRecovery();
    // Writes the recovery file now (or removes it when nothing is unsaved);
    // the timer does this within seconds after each change.
    void writeRecovery();
    QString recoveryFile() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Taking a BMP file into a slot (Load from bitmapfile, Edit). The check
    // shows its own warning or question and reads the palette file anew:
    // Accepted or PaletteMissing mean take it, Refused carries the message
    // (6 when the palette question was answered No).
    CheckResult checkPartBitmap(std::span<const uint8_t> fileBytes, int slot);
    // Decodes the file into the slot as one step named `stepName`; false
    // after a warning naming the file when it does not decode (slot unchanged).
    bool takePartBitmap(std::span<const uint8_t> fileBytes, int slot, const QString& fileNameForMessages,
                        const QString& stepName);

    void createControls();
    // Sizes the window so that its outer size, frame included, is the design's.
    void fitOuterSize();
    void createMenus();
    void createDialogs();
    // mainform_config.cpp
    void readLanguageSetting();
    void readTextEncodingSetting();
    // Connects a menu item to its handler through runCommand.
    void bind(QAction* action, void (TMainForm::*handler)());
    // The keys of a part menu entry, for the focused picture box only: the
    // menu shows them, the text fields keep their own.
    void bindBoxKeys(QAction* action, void (TMainForm::*handler)());
    // mainform_paint.cpp
    bool doubleClickPaints() const;
    void closePainter();
    // mainform_texts.cpp: each picture box's accessible name and tool tip,
    // its part, picture or mask.
    void nameBoxes();

    // mainform_history.cpp: the window as a view of the document.
    void observeDocument();
    void showPicture(int slot);
    // The field shows the document's text (the cursor stays when it already
    // did) and marks itself changed while the text is typed, not saved.
    void showText(int field);
    void textEdited(int field);
    void refreshHistoryActions();
    void updateTitle();
    // mainform_file.cpp
    bool saveRoomTo(const QString& path);
    void rememberRoom(const QString& path);
    void fillRecentMenu();
    void watchRoomFile();
    // Remembers the room's file as it is, its bytes just read or written.
    void stampRoomFile(std::span<const uint8_t> bytes);
    // The size and time of the room's file when another program has changed
    // it since it was last opened or saved here.
    std::optional<FileStamp> outsideChange() const;
    // mainform_picture.cpp: a picture taken into the slot as one step.
    void takePicture(const RgbaPicture& picture, int slot, bool choose, const QString& stepName);
    // mainform_recovery.cpp
    void createRecovery();
    void scheduleRecovery();
    void removeRecovery();

    Environment environment_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_;
    Settings settings_;

    RoomDocument* document_;
    std::array<PictureBox*, PartSlotTable::kSlotCount> boxes_{};
    std::array<QLabel*, 14> captions_{};  // labels lines 2 to 15, in that order
    std::array<RoomTextEdit*, 3> fields_{};  // RoomName, Comment, Copyright

    QString programFolder_;
    QString languageCode_;
    LanguageTexts texts_;
    int selectedSlot_ = 0;
    // The frame size the window was last sized for; none before it is shown.
    QSize fittedFrame_{-1, -1};
    QtTranslations qtTranslations_;

    // The room's file as last opened, saved or restored; the outside change last asked about.
    std::optional<FileStamp> roomStamp_;
    std::optional<FileStamp> answeredChange_;
    bool askingReload_ = false;
    // A field being set from the document: its change is no edit.
    bool showingText_ = false;
    std::unique_ptr<RoomRecovery> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    // Shown while the recovery file cannot be written.
    QLabel* recoveryProblem_ = nullptr;

    FileDialogSettings openPictureDialog_;
    FileDialogSettings savePictureDialog_;
    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;
    FileDialogSettings importPictureDialog_;
    FileDialogSettings exportPictureDialog_;

    // Menu items, named as designed.
    QMenu* FileMenu = nullptr;
    QAction* OpenRoomFile = nullptr;
    QAction* Save = nullptr;
    QAction* SaveRoomFile = nullptr;
    QMenu* RecentRooms = nullptr;
    QAction* ShowCheck = nullptr;
    QAction* ExportLayers = nullptr;
    QAction* ImportLayers = nullptr;
    QAction* Exit = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QMenu* Config = nullptr;
    QAction* EditorSet = nullptr;
    QAction* LanguageSet = nullptr;
    QAction* TextEncodingSet = nullptr;
    QAction* DoubleClickSet = nullptr;
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
    QAction* ImportPicture = nullptr;
    QAction* ExportPicture = nullptr;
    QAction* CopyPicture = nullptr;
    QAction* PastePicture = nullptr;
    QAction* Paint = nullptr;

    // Last: it paints on the document with the texts and prompts above, and
    // goes before them.
    std::unique_ptr<PainterWindow> painter_;
};

}  // namespace velmora
