#include "ui/mainform.h"

#include "ui/services/error_texts.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/file_drop.h"
#include "ui/services/paths.h"
#include "ui/services/language_lines.h"
#include "ui/painter/painter_window.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/room_text_edit.h"
#include "ui/room_recovery.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace velmora {

namespace {

constexpr QPoint kWindowPosition{192, 107};
constexpr QSize kWindowOuterSize{618, 462};
constexpr int kCaptionHeight = 16;
// Picture box and mask box of each part, in client coordinates.
struct BoxPlace {
    int part;
    QPoint picture;
    QPoint mask;
    QSize size;
};

constexpr std::array<BoxPlace, 20> kBoxPlaces = {{
    {slot::WinDayImage, {8, 16}, {48, 16}, {28, 42}},
    {slot::WinNightImage, {96, 16}, {136, 16}, {28, 42}},
    {slot::WinIOImage, {184, 16}, {224, 16}, {28, 42}},
    {slot::DoorDayImage, {288, 16}, {344, 16}, {40, 45}},
    {slot::DoorNightImage, {408, 16}, {464, 16}, {40, 45}},
    {slot::DoorCloseImage, {8, 80}, {56, 80}, {33, 55}},
    {slot::DoorHalfImage, {112, 80}, {160, 80}, {33, 55}},
    {slot::DoorOpenImage, {216, 80}, {264, 80}, {33, 55}},
    {slot::BedImage, {336, 88}, {400, 88}, {48, 38}},
    {slot::BedSleepingImage, {472, 88}, {536, 88}, {48, 38}},
    {slot::TBoxImage, {8, 160}, {48, 160}, {28, 30}},
    {slot::TBoxOpenImage, {96, 160}, {136, 160}, {28, 30}},
    {slot::TableImage, {192, 160}, {248, 160}, {39, 25}},
    {slot::PostImage, {312, 160}, {352, 160}, {25, 38}},
    {slot::BubbleImage, {408, 160}, {464, 160}, {41, 36}},
    {slot::BathImage, {528, 160}, {576, 160}, {31, 23}},
    {slot::Letter1Image, {8, 216}, {48, 216}, {25, 16}},
    {slot::Letter2Image, {96, 216}, {136, 216}, {27, 23}},
    {slot::Letter3Image, {184, 216}, {224, 216}, {25, 16}},
    {slot::RoomImage, {8, 279}, {184, 279}, {160, 120}},
}};

// The fourteen captions in the order of labels lines 2 to 15.
struct CaptionPlace {
    const char* name;
    int left;
    int top;
    int width;
    Qt::Alignment alignment;
    const char* designText;
};

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

const std::array<CaptionPlace, 14> kCaptions = {{
    {"WviewLabel", 8, 0, 257, kCentred, "Out of the window (daytime, nighttime,connecting)"},
    {"DviewLabel", 288, 0, 217, kCentred, "Out of the door (daytime,nighttime)"},
    {"DoorLabel", 8, 64, 289, kCentred, "----------door (closed, half open, open)----------"},
    {"BedLabel", 336, 72, 249, kCentred, "-----bed (default, sleeping)-----"},
    {"TBoxLabel", 8, 144, 161, kCentred, "treasure box (closed, open)"},
    {"TableLabel", 192, 144, 97, kCentred, "table"},
    {"PostLabel", 312, 144, 65, kCentred, "mailbox"},
    {"BubbleLabel", 408, 144, 97, kCentred, "bubble"},
    {"BathLabel", 528, 144, 81, kCentred, "bath tub"},
    {"LetterLabel", 8, 200, 244, kCentred, "letter (on the mailbox, on the table, on the door side)"},
    {"RoomLabel", 8, 256, 337, kCentred, "-----room view-----"},
    {"NameLabel", 344, 240, 60, kRight, "name"},
    {"ComLabel", 344, 296, 56, kRight, "etc"},
    {"CopyLabel", 344, 352, 60, kRight, "copyright"},
}};
// NameLabel, ComLabel and CopyLabel, the captions of the three fields.
constexpr size_t kFirstFieldCaption = 11;

struct FieldPlace {
    const char* name;
    QRect rect;
};

constexpr std::array<FieldPlace, 3> kFields = {{
    {"RoomName", {408, 240, 185, 49}},
    {"Comment", {408, 296, 185, 49}},
    {"Copyright", {408, 352, 185, 49}},
}};

FileDialogSettings DialogSettings(const QString& suffix, bool save, bool picture)
{
    FileDialogSettings settings;
    settings.filters = {QStringLiteral("*.%1 (*.%1)").arg(suffix)};
    settings.defaultSuffix = suffix;
    settings.overwritePrompt = save;
    settings.refuseReadOnly = save;
    settings.picturePreview = picture;
    return settings;
}

}  // namespace

TMainForm::TMainForm(Environment environment, Prompts* prompts)
    : environment_(std::move(environment)),
      ownPrompts_(prompts ? nullptr : std::make_unique<WidgetPrompts>(this)),
      prompts_(prompts ? prompts : ownPrompts_.get()),
      settings_(environment_.settingsFile),
      document_(new RoomDocument({}, this))
{
    // The window and its controls, showing the document's default room.
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(DesignFont());
    createControls();
    createMenus();
    createDialogs();
    createRecovery();
    watchRoomFile();
    observeDocument();
    move(kWindowPosition);
    resize(kWindowOuterSize);

    programFolder_ = environment_.programFolder.isEmpty()
                         ? ProgramFolderOf(QCoreApplication::applicationFilePath())
                         : environment_.programFolder;
    // The slot table's sizes and placements are constants of the core.
    readLanguageSetting();
    readTextEncodingSetting();
    applyTexts();
    fillRecentMenu();
}

TMainForm::~TMainForm()
{
    // The painter works on the document and the texts: it goes first.
    painter_.reset();
    // The children go after this object's members: none may call back in
    // (the document's history clears itself, a field loses focus).
    document_->disconnect(this);
    for (RoomTextEdit* field : fields_)
        field->disconnect(this);
}

void TMainForm::createControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    setAcceptDrops(true);  // room files dropped anywhere on the window open

    for (const BoxPlace& place : kBoxPlaces) {
        for (const int slot : {place.part, PartSlotTable::MaskOf(place.part)}) {
            auto* box = new PictureBox(slot, client);
            box->setObjectName(QString::fromLatin1(PartSlotTable::BoxName(slot)));
            box->setGeometry(QRect(PartSlotTable::IsMask(slot) ? place.mask : place.picture, place.size));
            connect(box, &PictureBox::pressed, this, [this](int tag) { WinDayImageMouseDown(tag); });
            // Its press has selected the box already; the double-click names it too.
            connect(box, &PictureBox::doubleClicked, this, [this](int tag) {
                WinDayImageMouseDown(tag);
                runCommand([this] { PictureDoubleClick(); });
            });
            connect(box, &PictureBox::enterPressed, this, [this](int tag) {
                WinDayImageMouseDown(tag);
                runCommand([this] { PaintClick(); });
            });
            // The menu is for the box that asks for it, whichever box the
            // last press was on (a press dragged to another box and let go).
            connect(box, &PictureBox::contextMenuRequested, this, [this](int tag, const QPoint& at) {
                WinDayImageMouseDown(tag);
                runCommand([this] { PopupMenuPopup(); });
                PopupMenu->popup(at);
            });
            connect(box, &PictureBox::fileDropped, this, [this](int tag, const QString& path) {
                if (LooksLikeRoomFile(path))
                    runCommand([this, path] { openDroppedRoomFile(path); });
                else if (LooksLikeBmpFile(path))
                    runCommand([this, tag, path] { loadPartFile(path, tag); });
                else
                    runCommand([this, tag, path] { importPicture(path, tag); });
            });
            boxes_[static_cast<size_t>(slot)] = box;
        }
    }

    for (size_t i = 0; i < kCaptions.size(); ++i) {
        const CaptionPlace& place = kCaptions[i];
        auto* label = new QLabel(QString::fromLatin1(place.designText), client);
        label->setObjectName(QString::fromLatin1(place.name));
        label->setAlignment(place.alignment);
        label->setGeometry(place.left, place.top, place.width, kCaptionHeight);
        captions_[i] = label;
    }

    for (size_t i = 0; i < kFields.size(); ++i) {
        auto* field = new RoomTextEdit(client);
        field->setObjectName(QString::fromLatin1(kFields[i].name));
        field->setGeometry(kFields[i].rect);
        fields_[i] = field;
        const int index = static_cast<int>(i);
        connect(field, &QPlainTextEdit::textChanged, this, [this, index] { textEdited(index); });
        // Typing after the focus comes back is a step of its own.
        connect(field, &RoomTextEdit::focusLeft, document_, &RoomDocument::endTypingRun);
    }
    setTabOrder(fields_[0], fields_[1]);
    setTabOrder(fields_[1], fields_[2]);
    // The pictures after the texts, as a page is read.
    QWidget* previous = fields_[2];
    for (PictureBox* box : PictureBox::ReadingOrder({boxes_.begin(), boxes_.end()})) {
        setTabOrder(previous, box);
        previous = box;
    }
    // The window opens in the room's name, as before the boxes took the focus.
    fields_[0]->setFocus();
    // Screen readers name each field by its caption.
    for (size_t i = 0; i < fields_.size(); ++i)
        captions_[kFirstFieldCaption + i]->setBuddy(fields_[i]);
}

void TMainForm::createMenus()
{
    auto action = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
        auto* item = new QAction(QString::fromLatin1(caption), this);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(shortcut);
        menu->addAction(item);
        return item;
    };
    auto separator = [this](QMenu* menu, const char* name) {
        QAction* item = menu->addSeparator();
        item->setParent(this);
        item->setObjectName(QString::fromLatin1(name));
    };
    auto submenu = [this](const char* name, const char* caption, QKeySequence shortcut = {}) {
        auto* menu = menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        // A shortcut on a submenu starts no command.
        menu->menuAction()->setShortcut(shortcut);
        return menu;
    };
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    FileMenu = submenu("FileMenu", "&File", QKeySequence(Qt::CTRL | Qt::Key_F));
    OpenRoomFile = action(FileMenu, "OpenRoomFile", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    Save = action(FileMenu, "Save", EnglishOf(Text::Save), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveRoomFile = action(FileMenu, "SaveRoomFile", "Save &As...", QKeySequence(Qt::CTRL | Qt::Key_A));
    RecentRooms = FileMenu->addMenu(QString::fromUtf8(EnglishOf(Text::RecentRooms)));
    RecentRooms->setObjectName(QStringLiteral("RecentRooms"));
    // Filled as the File menu opens too: a submenu disabled while the list
    // was empty never shows, so its own showing cannot enable it.
    for (QMenu* menu : {FileMenu, RecentRooms})
        connect(menu, &QMenu::aboutToShow, this, [this] { runCommand([this] { fillRecentMenu(); }); });
    separator(FileMenu, "N1");
    ShowCheck = action(FileMenu, "ShowCheck", "&Check");
    ExportLayers = action(FileMenu, "ExportLayers", EnglishOf(Text::ExportLayers));
    ImportLayers = action(FileMenu, "ImportLayers", EnglishOf(Text::ImportLayers));
    separator(FileMenu, "N2");
    Exit = action(FileMenu, "Exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X));
    EditMenu = submenu("EditMenu", EnglishOf(Text::EditMenu));
    // Their captions name the step: refreshHistoryActions.
    Undo = action(EditMenu, "Undo", "", QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo = action(EditMenu, "Redo", "");
    Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Config = submenu("Config", "&Config");
    EditorSet = action(Config, "EditorSet", "&Image editor");
    LanguageSet = action(Config, "LanguageSet", "&Language");
    TextEncodingSet = action(Config, "TextEncodingSet", EnglishOf(Text::TextEncodingSet));
    DoubleClickSet = action(Config, "DoubleClickSet", EnglishOf(Text::DoubleClickSet));
    Help = submenu("Help", "&Help", QKeySequence(Qt::CTRL | Qt::Key_H));
    Contents = action(Help, "Contents", "&Contents");
    About = action(Help, "About", "&About...");

    bind(OpenRoomFile, &TMainForm::OpenRoomFileClick);
    bind(Save, &TMainForm::SaveClick);
    bind(Undo, &TMainForm::UndoClick);
    bind(Redo, &TMainForm::RedoClick);
    bind(SaveRoomFile, &TMainForm::SaveRoomFileClick);
    bind(ShowCheck, &TMainForm::ShowCheckClick);
    bind(ExportLayers, &TMainForm::ExportLayersClick);
    bind(ImportLayers, &TMainForm::ImportLayersClick);
    connect(Exit, &QAction::triggered, this, &QWidget::close);
    bind(EditorSet, &TMainForm::EditorSetClick);
    bind(LanguageSet, &TMainForm::LanguageSetClick);
    bind(TextEncodingSet, &TMainForm::TextEncodingSetClick);
    bind(DoubleClickSet, &TMainForm::DoubleClickSetClick);
    bind(Contents, &TMainForm::ContentsClick);
    bind(About, &TMainForm::AboutClick);

    // The menu's keys win over the text fields' own editing keys.
    QList<QKeySequence> keys;
    for (QAction* item : {FileMenu->menuAction(), OpenRoomFile, Save, SaveRoomFile, Exit, Help->menuAction(), Undo, Redo})
        keys.append(item->shortcuts());
    for (RoomTextEdit* field : fields_)
        field->setMenuShortcuts(keys);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    Edit = action(PopupMenu, "Edit", "Edit");
    OpenPFile = action(PopupMenu, "OpenPFile", "Load from bitmapfile");
    SavePFile = action(PopupMenu, "SavePFile", "Save to bitmapfile");
    CopyImage = action(PopupMenu, "CopyImage", "Copy from roomview");
    CreateMask = action(PopupMenu, "CreateMask", "Make maskimage");
    CopyData = action(PopupMenu, "CopyData", "Copy from image");
    PasteParts = action(PopupMenu, "PasteParts", "Paste parts");
    ImportPicture = action(PopupMenu, "ImportPicture", EnglishOf(Text::ImportPicture));
    ExportPicture = action(PopupMenu, "ExportPicture", EnglishOf(Text::ExportPicture));
    bind(Edit, &TMainForm::EditClick);
    bind(OpenPFile, &TMainForm::OpenPFileClick);
    bind(SavePFile, &TMainForm::SavePFileClick);
    bind(CopyImage, &TMainForm::CopyImageClick);
    bind(CreateMask, &TMainForm::CreateMaskClick);
    bind(CopyData, &TMainForm::CopyDataClick);
    bind(PasteParts, &TMainForm::PastePartsClick);
    bind(ImportPicture, &TMainForm::ImportPictureClick);
    bind(ExportPicture, &TMainForm::ExportPictureClick);
    CopyPicture = action(PopupMenu, "CopyPicture", EnglishOf(Text::CopyPicture),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    PastePicture = action(PopupMenu, "PastePicture", EnglishOf(Text::PastePicture),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    bind(CopyPicture, &TMainForm::CopyPictureClick);
    bind(PastePicture, &TMainForm::PastePictureClick);
    bindBoxKeys(CopyPicture, &TMainForm::CopyPictureClick);
    bindBoxKeys(PastePicture, &TMainForm::PastePictureClick);
    Paint = action(PopupMenu, "Paint", EnglishOf(Text::Paint));
    bind(Paint, &TMainForm::PaintClick);
}

void TMainForm::createDialogs()
{
    openPictureDialog_ = DialogSettings(QStringLiteral("bmp"), false, true);
    savePictureDialog_ = DialogSettings(QStringLiteral("bmp"), true, true);
    openDialog_ = DialogSettings(QStringLiteral("pac"), false, false);
    saveDialog_ = DialogSettings(QStringLiteral("pac"), true, false);
    // No filters here: importPictureDialog() names the formats when asked.
    importPictureDialog_ = DialogSettings(QStringLiteral("png"), false, true);
    importPictureDialog_.filters.clear();
    exportPictureDialog_ = DialogSettings(QStringLiteral("png"), true, true);
}

void TMainForm::bind(QAction* action, void (TMainForm::*handler)())
{
    connect(action, &QAction::triggered, this, [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
}

void TMainForm::bindBoxKeys(QAction* action, void (TMainForm::*handler)())
{
    // The entry itself only shows its keys: the menu is attached to no
    // widget, so in its own context they never fire.
    action->setShortcutContext(Qt::WidgetShortcut);
    auto* keys = new QAction(this);
    keys->setObjectName(action->objectName() + QStringLiteral("Keys"));
    keys->setShortcuts(action->shortcuts());
    keys->setShortcutContext(Qt::WidgetShortcut);
    for (PictureBox* box : boxes_)
        box->addAction(keys);
    // As the keyboard's menu does: the focused box is the one selected.
    connect(keys, &QAction::triggered, this, [this, handler] {
        if (auto* box = qobject_cast<PictureBox*>(QApplication::focusWidget())) {
            WinDayImageMouseDown(box->tag());
            runCommand([this, handler] { (this->*handler)(); });
        }
    });
}

PictureBox* TMainForm::pictureBox(int slot) const
{
    return PartSlotTable::IsValidSlot(slot) ? boxes_[static_cast<size_t>(slot)] : nullptr;
}

QString TMainForm::tempFolder() const
{
    return environment_.tempFolder.isEmpty() ? TempFolder() : environment_.tempFolder;
}

void TMainForm::showWarning(Text message)
{
    showWarningText(TextOf(texts_, message));
}

void TMainForm::showWarningText(const QString& text)
{
    prompts_->warning(TextOf(texts_, Text::WarningCaption), text);
}

bool TMainForm::askQuestion(Text message)
{
    const QString text = TextOf(texts_, message);
    return askQuestionText(text);
}

bool TMainForm::askQuestionText(const QString& text)
{
    return prompts_->question(TextOf(texts_, Text::QuestionCaption), text);
}

void TMainForm::showError(const QString& text)
{
    prompts_->error(windowTitle(), text);
}

void TMainForm::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const FormatError& e) {
        showError(FormatErrorText(e, texts_));
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void TMainForm::showFailure(Attempt attempt, const Failure& failure)
{
    const FailureMessage message = MessageFor(attempt, failure, texts_);
    if (message.box == FailureMessage::Box::Error)
        showError(message.text);
    else
        showWarningText(message.text);
}

void TMainForm::WinDayImageMouseDown(int slot)
{
    selectedSlot_ = slot;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (SingleDroppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = SingleDroppedFile(event->mimeData())) {
        event->acceptProposedAction();
        runCommand([this, path] { openDroppedRoomFile(*path); });
    }
}

void TMainForm::openDroppedRoomFile(const QString& path)
{
    // As Open: changes are given up only when the user says so.
    if (document_->hasUnsavedChanges() && !askQuestion(Text::UnsavedChanges))
        return;
    openRoomFile(path);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Anything failing here (a missing message line) keeps the window open:
    // closing must never lose changes by accident.
    // A stroke still held in the painter is a change like any other: it
    // becomes its step before the question is asked, not after.
    if (painter_)
        painter_->endStroke();
    bool close = false;
    runCommand([&] { close = !document_->hasUnsavedChanges() || askQuestion(Text::UnsavedChanges); });
    event->setAccepted(close);
    if (!close)
        return;
    closePainter();
    // Closed on purpose, changes or not: nothing is left to recover.
    runCommand([this] { removeRecovery(); });
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitOuterSize();
}

void TMainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitOuterSize();
}

void TMainForm::fitOuterSize()
{
    // The designed size includes the frame. A window manager adds the frame
    // some time after the window is shown (it arrives as a move or resize),
    // so size the window again whenever the frame's size changes; the user's
    // own resizing keeps the frame and is left alone.
    if (!isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == fittedFrame_)
        return;
    fittedFrame_ = frame;
    resize(kWindowOuterSize - frame);
}

}  // namespace velmora
