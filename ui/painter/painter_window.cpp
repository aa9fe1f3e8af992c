#include "ui/painter/painter_window.h"

#include "ui/painter/paint_canvas.h"
#include "ui/painter/palette_grid.h"
#include "ui/painter/pixel_view.h"
#include "ui/painter/room_view.h"
#include "ui/services/language_texts.h"
#include "ui/services/prompts.h"
#include "ui/widgets/dialog_font.h"

#include "document/room_document.h"

#include "core/image/palette.h"
#include "core/paint/hit_test.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace velmora {

namespace {

struct ToolEntry {
    PaintTool tool;
    Text caption;
    Text tip;
    const char* key;  // its own key; U and Shift+U go round two tools each
};

constexpr std::array kTools = {
    ToolEntry{PaintTool::Pencil, Text::Pencil, Text::PencilTip, "B"},
    ToolEntry{PaintTool::Eraser, Text::Eraser, Text::EraserTip, "E"},
    ToolEntry{PaintTool::Line, Text::Line, Text::LineTip, "L"},
    ToolEntry{PaintTool::Rectangle, Text::Rectangle, Text::RectangleTip, ""},
    ToolEntry{PaintTool::FilledRectangle, Text::FilledRectangle, Text::FilledRectangleTip, ""},
    ToolEntry{PaintTool::Ellipse, Text::Ellipse, Text::EllipseTip, ""},
    ToolEntry{PaintTool::FilledEllipse, Text::FilledEllipse, Text::FilledEllipseTip, ""},
    ToolEntry{PaintTool::Fill, Text::Fill, Text::FillTip, "G"},
    ToolEntry{PaintTool::Picker, Text::Picker, Text::PickerTip, "I"},
    ToolEntry{PaintTool::Select, Text::Select, Text::SelectTip, "M"},
};

const ToolEntry& EntryOf(PaintTool tool)
{
    return kTools[size_t(tool)];
}

QString SlotName(int slot)
{
    const std::string_view name = PartSlotTable::BoxName(slot);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QString ColourName(uint8_t index)
{
    return QColor(RoomRgb()[index]).name();
}

}  // namespace

PainterWindow::PainterWindow(RoomDocument& document, const LanguageTexts& texts, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), document_(document), texts_(texts), prompts_(prompts), session_(new PaintSession(document, this))
{
    static_assert(kTools.size() == size_t(PaintTool::Select) + 1);
    setObjectName(QStringLiteral("PainterWindow"));
    // A window of its own beside the editor's, never modal.
    setWindowFlag(Qt::Window);

    canvas_ = new PaintCanvas(this);
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_, 1);
    layout->addWidget(createSidePanel());
    setCentralWidget(central);

    pixelShown_ = new QLabel(this);
    colourShown_ = new QLabel(this);
    zoomShown_ = new QLabel(this);
    maskShown_ = new QLabel(this);
    pixelShown_->setObjectName(QStringLiteral("PixelShown"));
    colourShown_->setObjectName(QStringLiteral("ColourShown"));
    zoomShown_->setObjectName(QStringLiteral("ZoomShown"));
    maskShown_->setObjectName(QStringLiteral("MaskShown"));
    statusBar()->addWidget(pixelShown_);
    statusBar()->addWidget(colourShown_);
    statusBar()->addPermanentWidget(maskShown_);
    statusBar()->addPermanentWidget(zoomShown_);

    createMenus();
    createTools();
    connectSession();

    connect(canvas_, &PaintCanvas::pressed, this, &PainterWindow::canvasPressed);
    connect(canvas_, &PaintCanvas::dragged, this, [this](QPoint pixel) { canvasDragged(pixel); });
    connect(canvas_, &PaintCanvas::released, this, [this] { canvasReleased(); });
    connect(canvas_, &PaintCanvas::hovered, this, [this](QPoint pixel) { showHovered(pixel); });
    connect(canvas_, &PaintCanvas::left, this, [this] { showHovered(std::nullopt); });
    connect(canvas_, &PaintCanvas::zoomChanged, this, [this] { showZoom(); });
    connect(palette_, &PaletteGrid::foregroundPicked, this, [this](int i) { setColours(uint8_t(i), background_); });
    connect(palette_, &PaletteGrid::backgroundPicked, this, [this](int i) { setColours(foreground_, uint8_t(i)); });
    connect(roomView_, &RoomView::roomPixelClicked, this, &PainterWindow::roomClicked);
    connect(&document_, &RoomDocument::historyChanged, this, &PainterWindow::refreshHistory);

    applyTexts();  // shows the picture and the history too
    roomView_->setRoom(session_->composedRoom());
    palette_->setUsed(session_->usedColours());
    refreshSelectionActions();
    canvas_->setFocus();
    // As designed where the screen has room; a scale factor of 2 doubles it,
    // and a window larger than the screen hides its status line.
    const QSize frame(40, 80);
    resize(QSize(1100, 720).boundedTo(screen()->availableGeometry().size() - frame));
}

PainterWindow::~PainterWindow() = default;

QAction* PainterWindow::makeAction(QMenu* menu, Text text, const QKeySequence& key)
{
    auto* action = new QAction(this);
    action->setShortcut(key);
    menu->addAction(action);
    actions_[size_t(text)] = action;
    return action;
}

QAction* PainterWindow::hiddenAction(const QKeySequence& key, const std::function<void()>& handler)
{
    auto* action = new QAction(this);
    action->setShortcut(key);
    addAction(action);
    bind(action, handler);
    return action;
}

void PainterWindow::bind(QAction* action, const std::function<void()>& handler)
{
    connect(action, &QAction::triggered, this, [this, handler] { run(handler); });
}

void PainterWindow::createMenus()
{
    auto menu = [this](size_t i) {
        menus_[i] = menuBar()->addMenu(QString());
        return menus_[i];
    };
    auto named = [this](Text text) { return StepName(TextOrEnglish(texts_, text)); };

    QMenu* edit = menu(0);
    bind(makeAction(edit, Text::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)), [this] {
        session_->release();
        document_.undo();
    });
    QAction* redo = makeAction(edit, Text::Redo);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    bind(redo, [this] {
        session_->release();
        document_.redo();
    });
    edit->addSeparator();
    bind(makeAction(edit, Text::Cut, QKeySequence::Cut), [this, named] { session_->cutSelection(named(Text::Cut)); });
    bind(makeAction(edit, Text::Copy, QKeySequence::Copy), [this] { session_->copySelection(); });
    bind(makeAction(edit, Text::Paste, QKeySequence::Paste), [this, named] { session_->paste(named(Text::Paste)); });
    bind(makeAction(edit, Text::Delete, QKeySequence::Delete),
         [this, named] { session_->deleteSelection(named(Text::Delete)); });
    bind(makeAction(edit, Text::SelectAll, QKeySequence::SelectAll), [this] { session_->selectAll(); });
    hiddenAction(QKeySequence(Qt::Key_Escape), [this] { session_->clearSelection(); });

    QMenu* view = menu(1);
    QAction* zoomIn = makeAction(view, Text::ZoomIn);
    zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    bind(zoomIn, [this] { canvas_->zoomIn(); });
    bind(makeAction(view, Text::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)), [this] { canvas_->zoomOut(); });
    bind(makeAction(view, Text::FitToWindow, QKeySequence(Qt::CTRL | Qt::Key_0)), [this] { canvas_->fitToWindow(); });
    for (int i = 0; i < 6; ++i) {
        QAction* level = hiddenAction(QKeySequence(Qt::Key_1 + i), [this, i] { canvas_->setZoom(1 << i); });
        level->setObjectName(QStringLiteral("Zoom%1").arg(1 << i));
    }
    view->addSeparator();
    QAction* grid = makeAction(view, Text::Grid, QKeySequence(Qt::CTRL | Qt::Key_Apostrophe));
    grid->setCheckable(true);
    grid->setChecked(canvas_->gridShown());
    connect(grid, &QAction::toggled, canvas_, &PaintCanvas::setGridShown);
    QAction* surroundings = makeAction(view, Text::Surroundings);
    surroundings->setCheckable(true);
    connect(surroundings, &QAction::toggled, this, [this](bool shown) {
        canvas_->showSurroundings(shown);
        refreshSurroundings();
    });
    QAction* large = makeAction(view, Text::LargeRoomView);
    large->setCheckable(true);
    connect(large, &QAction::toggled, this, [this](bool on) { roomView_->setScale(on ? 2 : 1); });

    QMenu* tools = menu(2);
    auto* toolGroup = new QActionGroup(this);
    for (const ToolEntry& entry : kTools) {
        QAction* action = makeAction(tools, entry.caption, QKeySequence(QString::fromLatin1(entry.key)));
        action->setCheckable(true);
        action->setObjectName(QStringLiteral("Tool%1").arg(int(entry.tool)));
        toolGroup->addAction(action);
        const PaintTool tool = entry.tool;
        connect(action, &QAction::triggered, this, [this, tool] { setTool(tool); });
        if (entry.tool == PaintTool::Pencil) {
            QAction* perfect = makeAction(tools, Text::PixelPerfect);
            perfect->setCheckable(true);
        }
    }
    hiddenAction(QKeySequence(Qt::Key_U), [this] {
        setTool(tool_ == PaintTool::Rectangle ? PaintTool::FilledRectangle : PaintTool::Rectangle);
    });
    hiddenAction(QKeySequence(Qt::SHIFT | Qt::Key_U), [this] {
        setTool(tool_ == PaintTool::Ellipse ? PaintTool::FilledEllipse : PaintTool::Ellipse);
    });

    QMenu* colours = menu(3);
    bind(makeAction(colours, Text::SwapColours, QKeySequence(Qt::Key_X)),
         [this] { setColours(background_, foreground_); });
    bind(makeAction(colours, Text::PreviousColour, QKeySequence(Qt::Key_BracketLeft)),
         [this] { setColours(uint8_t(foreground_ - 1), background_); });
    bind(makeAction(colours, Text::NextColour, QKeySequence(Qt::Key_BracketRight)),
         [this] { setColours(uint8_t(foreground_ + 1), background_); });
}

void PainterWindow::createTools()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolEntry& entry : kTools)
        bar->addAction(actions_[size_t(entry.caption)]);
    bar->addSeparator();
    bar->addAction(actions_[size_t(Text::PixelPerfect)]);
    addToolBar(Qt::LeftToolBarArea, bar);
    actions_[size_t(Text::Pencil)]->setChecked(true);
}

QWidget* PainterWindow::createSidePanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    palette_ = new PaletteGrid(panel);
    layout->addWidget(palette_);
    roomTitle_ = new QLabel(panel);
    layout->addWidget(roomTitle_);
    roomView_ = new RoomView(panel);
    layout->addWidget(roomView_);
    layout->addWidget(createRoomChoices());
    layout->addStretch(1);
    return panel;
}

QWidget* PainterWindow::createRoomChoices()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (QComboBox** combo : {&time_, &door_, &treasureBox_, &bed_}) {
        auto* label = new QLabel(box);
        *combo = new QComboBox(box);
        label->setBuddy(*combo);
        choiceLabels_[size_t(row)] = label;
        grid->addWidget(label, row, 0);
        grid->addWidget(*combo, row, 1);
        connect(*combo, &QComboBox::currentIndexChanged, this, [this] { run([this] { lookChosen(); }); });
        ++row;
    }
    time_->setObjectName(QStringLiteral("TimeChoice"));
    door_->setObjectName(QStringLiteral("DoorChoice"));
    treasureBox_->setObjectName(QStringLiteral("TreasureBoxChoice"));
    bed_->setObjectName(QStringLiteral("BedChoice"));
    letters_ = new QCheckBox(box);
    letters_->setObjectName(QStringLiteral("LettersChoice"));
    grid->addWidget(letters_, row, 0, 1, 2);
    connect(letters_, &QCheckBox::toggled, this, [this] { run([this] { lookChosen(); }); });
    grid->setColumnStretch(1, 1);
    return box;
}

void PainterWindow::connectSession()
{
    connect(session_, &PaintSession::pictureChanged, canvas_, &PaintCanvas::picturePixelsChanged);
    connect(session_, &PaintSession::pictureReplaced, this, &PainterWindow::pictureReplaced);
    connect(session_, &PaintSession::roomComposed, this, [this] {
        roomView_->setRoom(session_->composedRoom());
        refreshSurroundings();
    });
    connect(session_, &PaintSession::selectionChanged, this, [this] {
        canvas_->setSelection(session_->selection());
        refreshSelectionActions();
    });
    connect(session_, &PaintSession::settled, this, [this] {
        palette_->setUsed(session_->usedColours());
        refreshSelectionActions();
        showHovered(hovered_);
    });
}

void PainterWindow::applyTexts()
{
    SetFace(this, TextOrEnglish(texts_, Text::FontFace));
    const std::array<Text, 4> menus = {Text::EditMenu, Text::ViewMenu, Text::ToolsMenu, Text::ColoursMenu};
    for (size_t i = 0; i < menus.size(); ++i)
        menus_[i]->setTitle(TextOrEnglish(texts_, menus[i]));
    for (size_t i = 0; i < actions_.size(); ++i)
        if (actions_[i])
            actions_[i]->setText(TextOrEnglish(texts_, Text(i)));
    // The tool bar shows the names without their access keys ("(&P)" in Japanese).
    for (const ToolEntry& entry : kTools) {
        actions_[size_t(entry.caption)]->setIconText(StepName(TextOrEnglish(texts_, entry.caption)));
        actions_[size_t(entry.caption)]->setToolTip(TextOrEnglish(texts_, entry.tip));
    }
    actions_[size_t(Text::PixelPerfect)]->setIconText(StepName(TextOrEnglish(texts_, Text::PixelPerfect)));
    actions_[size_t(Text::PixelPerfect)]->setToolTip(TextOrEnglish(texts_, Text::PixelPerfectTip));
    setColours(foreground_, background_);  // the palette's tool tip names them
    roomView_->setToolTip(TextOrEnglish(texts_, Text::RoomViewTip));
    roomTitle_->setText(TextOrEnglish(texts_, Text::RoomView));
    // Named for screen readers as the title above it and the palette read.
    roomView_->setAccessibleName(StepName(roomTitle_->text()));
    palette_->setAccessibleName(TextOrEnglish(texts_, Text::PaletteName));

    const std::array<Text, 4> labels = {Text::Time, Text::Door, Text::TreasureBox, Text::Bed};
    for (size_t i = 0; i < labels.size(); ++i)
        choiceLabels_[i]->setText(TextOrEnglish(texts_, labels[i]));
    auto choices = [this](QComboBox* combo, std::initializer_list<Text> items) {
        const QSignalBlocker quiet(combo);
        const int current = std::max(0, combo->currentIndex());
        combo->clear();
        for (Text item : items)
            combo->addItem(TextOrEnglish(texts_, item));
        combo->setCurrentIndex(current);
    };
    choices(time_, {Text::Daytime, Text::Nighttime});
    choices(door_, {Text::Closed, Text::HalfOpen, Text::Open});
    choices(treasureBox_, {Text::Closed, Text::Open});
    choices(bed_, {Text::Default, Text::Sleeping});
    letters_->setText(TextOrEnglish(texts_, Text::LettersAndBubble));

    refreshHistory();
    pictureReplaced();
}

void PainterWindow::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        prompts_.error(TextOrEnglish(texts_, Text::Title), QString::fromUtf8(e.what()));
    }
}

void PainterWindow::showSlot(int slot)
{
    run([this, slot] { session_->setSlot(slot); });
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void PainterWindow::setTool(PaintTool tool)
{
    tool_ = tool;
    actions_[size_t(EntryOf(tool).caption)]->setChecked(true);
}

void PainterWindow::setColours(uint8_t foreground, uint8_t background)
{
    foreground_ = foreground;
    background_ = background;
    palette_->setColours(foreground, background);
    palette_->setToolTip(TextOrEnglish(texts_, Text::PaletteTip) + QLatin1Char('\n') +
                         TextOrEnglish(texts_, Text::ColoursShown).arg(foreground).arg(background));
}

void PainterWindow::canvasPressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    run([&] {
        if (tool_ == PaintTool::Picker || (modifiers & Qt::AltModifier)) {
            picking_ = button;
            pick(pixel, button);
            return;
        }
        ToolPress press;
        press.tool = tool_;
        if (session_->maskAlone())
            press.value = button == Qt::RightButton ? kSeeThrough : kBlackIndex;
        else
            press.value = button == Qt::RightButton ? background_ : foreground_;
        press.pixelPerfect = actions_[size_t(Text::PixelPerfect)]->isChecked();
        press.shift = modifiers & Qt::ShiftModifier;
        press.control = modifiers & Qt::ControlModifier;
        press.stepName = stepName(press);
        session_->press(press, PixelPoint{pixel.x(), pixel.y()});
    });
}

QString PainterWindow::stepName(const ToolPress& press) const
{
    if (press.tool == PaintTool::Fill && press.shift)
        return TextOrEnglish(texts_, Text::ReplaceColourStep);
    if (press.tool == PaintTool::Select)
        return TextOrEnglish(texts_, press.control ? Text::CopyStep : Text::MoveStep);
    return StepName(TextOrEnglish(texts_, EntryOf(press.tool).caption));
}

void PainterWindow::canvasDragged(QPoint pixel)
{
    run([&] {
        if (picking_ != Qt::NoButton)
            pick(pixel, picking_);
        else
            session_->move(PixelPoint{pixel.x(), pixel.y()});
    });
}

void PainterWindow::canvasReleased()
{
    run([this] {
        if (picking_ != Qt::NoButton)
            picking_ = Qt::NoButton;
        else
            session_->release();
    });
}

void PainterWindow::pick(QPoint pixel, Qt::MouseButton button)
{
    if (session_->maskAlone())
        return;  // a mask has no colours to pick
    const std::optional<uint8_t> colour = PickColour(session_->picture(), PixelPoint{pixel.x(), pixel.y()});
    if (!colour)
        return;
    if (button == Qt::RightButton)
        setColours(foreground_, *colour);
    else
        setColours(*colour, background_);
}

void PainterWindow::roomClicked(QPoint pixel)
{
    run([this, pixel] {
        session_->setSlot(PartAt(session_->pictures(), session_->look(), pixel.x(), pixel.y()));
    });
}

void PainterWindow::lookChosen()
{
    PreviewState look;
    look.night = time_->currentIndex() == 1;
    look.door = door_->currentIndex() == 2 ? DoorState::Open
                : door_->currentIndex() == 1 ? DoorState::HalfOpen
                                             : DoorState::Closed;
    look.treasureBoxOpen = treasureBox_->currentIndex() == 1;
    look.bedSleeping = bed_->currentIndex() == 1;
    look.lettersAndBubble = letters_->isChecked();
    session_->setLook(look);
}

void PainterWindow::pictureReplaced()
{
    const int slot = session_->slot();
    const bool another = slot != shownSlot_;
    shownSlot_ = slot;
    const int part = PartSlotTable::PartOf(slot);
    const Placement place = PartSlotTable::PlacementOf(part);
    canvas_->showPicture(session_->picture(), session_->maskAlone(), QPoint(place.left, place.top));
    if (another)
        canvas_->fitToWindow();
    canvas_->setSelection(session_->selection());
    roomView_->setFramed(part == slot::RoomImage ? std::nullopt : std::optional<Placement>(place));
    palette_->setEnabled(!session_->maskAlone());
    setWindowTitle(SlotName(slot) + QStringLiteral(" - ") + TextOrEnglish(texts_, Text::PainterTitle));
    canvas_->setAccessibleName(PartPictureName(texts_, slot));
    if (session_->maskAlone()) {
        maskShown_->setText(TextOrEnglish(texts_, Text::MaskAloneShown).arg(SlotName(slot)).arg(slot));
    } else {
        const int mask = PartSlotTable::DrawMaskOf(slot);
        maskShown_->setText(TextOrEnglish(texts_, Text::DrawnThroughShown).arg(SlotName(mask)).arg(mask));
    }
    showZoom();
    showHovered(hovered_);
}

void PainterWindow::showHovered(std::optional<QPoint> pixel)
{
    hovered_ = pixel;
    const PaintPicture& picture = session_->picture();
    if (!pixel || !picture.contains(PixelPoint{pixel->x(), pixel->y()})) {
        pixelShown_->clear();
        colourShown_->clear();
        return;
    }
    pixelShown_->setText(TextOrEnglish(texts_, Text::PixelShown).arg(pixel->x()).arg(pixel->y()));
    const PaintValue value = picture.at(PixelPoint{pixel->x(), pixel->y()});
    colourShown_->setText(value == kSeeThrough ? TextOrEnglish(texts_, Text::SeeThroughShown)
                                               : TextOrEnglish(texts_, Text::IndexShown).arg(value).arg(ColourName(uint8_t(value))));
}

void PainterWindow::showZoom()
{
    zoomShown_->setText(TextOrEnglish(texts_, Text::ZoomShown).arg(canvas_->zoom()));
}

void PainterWindow::refreshHistory()
{
    const QUndoStack& history = document_.history();
    auto caption = [](const QString& command, const QString& step) {
        return step.isEmpty() ? command : command + QLatin1Char(' ') + step;
    };
    QAction* undo = actions_[size_t(Text::Undo)];
    QAction* redo = actions_[size_t(Text::Redo)];
    undo->setText(caption(TextOrEnglish(texts_, Text::Undo), history.undoText()));
    redo->setText(caption(TextOrEnglish(texts_, Text::Redo), history.redoText()));
    undo->setEnabled(history.canUndo());
    redo->setEnabled(history.canRedo());
}

void PainterWindow::refreshSelectionActions()
{
    const bool selected = !session_->selection().empty();
    for (Text text : {Text::Cut, Text::Copy, Text::Delete})
        actions_[size_t(text)]->setEnabled(selected);
    actions_[size_t(Text::Paste)]->setEnabled(session_->canPaste());
}

void PainterWindow::refreshSurroundings()
{
    if (canvas_->surroundingsShown())
        canvas_->setSurroundings(DimmedRoomImage(session_->composedRoom(), palette().mid().color().rgb()));
}

void PainterWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Only now has the canvas its size.
    if (!event->spontaneous() && !fitted_) {
        fitted_ = true;
        canvas_->fitToWindow();
    }
}

void PainterWindow::endStroke()
{
    run([this] { session_->release(); });
}

void PainterWindow::closeEvent(QCloseEvent* event)
{
    // A stroke still held becomes its step before the window goes.
    endStroke();
    QMainWindow::closeEvent(event);
}

}  // namespace velmora
