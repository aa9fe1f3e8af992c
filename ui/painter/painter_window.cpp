#include "ui/painter/painter_window.h"

#include "ui/painter/paint_canvas.h"
#include "ui/painter/palette_grid.h"
#include "ui/painter/pixel_view.h"
#include "ui/painter/room_view.h"
#include "ui/services/editor_context.h"
#include "ui/services/history_actions.h"
#include "ui/services/language_texts.h"
#include "ui/widgets/dialog_font.h"

#include "document/room_document.h"

#include "core/image/palette.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>

namespace velmora {

namespace {

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

PainterWindow::PainterWindow(RoomDocument& document, EditorContext& editor, QWidget* parent)
    : QMainWindow(parent), document_(document), editor_(editor), texts_(editor.languageTexts()),
      session_(new PaintSession(document, this))
{
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
    createBrushBar();
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
    connect(&document_, &RoomDocument::cleanChanged, this, &PainterWindow::updateTitle);
    connect(&document_, &RoomDocument::filePathChanged, this, &PainterWindow::updateTitle);

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
        // Erasing a day view blackens the night view drawn through the same mask.
        if (onionSlot_ >= 0)
            refreshOnion();
    });
}

void PainterWindow::applyTexts()
{
    SetFace(this, TextOrEnglish(texts_, Text::FontFace));
    const std::array<Text, 6> menus = {Text::FileMenu,  Text::EditMenu,      Text::ViewMenu,
                                       Text::ToolsMenu, Text::TransformMenu, Text::ColoursMenu};
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
    applyBrushTexts();
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
    editor_.runCommand(command);
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
    refreshFootprint();
}

void PainterWindow::setColours(uint8_t foreground, uint8_t background)
{
    foreground_ = foreground;
    background_ = background;
    palette_->setColours(foreground, background);
    palette_->setToolTip(TextOrEnglish(texts_, Text::PaletteTip) + QLatin1Char('\n') +
                         TextOrEnglish(texts_, Text::ColoursShown).arg(foreground).arg(background));
}

void PainterWindow::pictureReplaced()
{
    const int slot = session_->slot();
    const bool another = slot != shownSlot_;
    shownSlot_ = slot;
    const int part = PartSlotTable::PartOf(slot);
    const Placement place = PartSlotTable::PlacementOf(part);
    canvas_->showPicture(session_->picture(), session_->maskAlone(), QPoint(place.left, place.top));
    if (another) {
        canvas_->fitToWindow();
        axesAt_.reset();  // a column of another picture means nothing here
    }
    refreshAxes();
    refreshOnionMenu();
    canvas_->setSelection(session_->selection());
    roomView_->setFramed(part == slot::RoomImage ? std::nullopt : std::optional<Placement>(place));
    palette_->setEnabled(!session_->maskAlone());
    updateTitle();
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
    ShowHistoryOn(*actions_[size_t(Text::Undo)], *actions_[size_t(Text::Redo)], document_.history(), texts_);
}

void PainterWindow::updateTitle()
{
    // The part, then the room as the main window names it, unsaved mark and all.
    const QString mark = document_.hasUnsavedChanges() ? QStringLiteral("*") : QString();
    const QString& path = document_.filePath();
    const QString room = path.isEmpty() ? mark : QStringLiteral(" - ") + QFileInfo(path).fileName() + mark;
    setWindowTitle(SlotName(session_->slot()) + room + QStringLiteral(" - ") + TextOrEnglish(texts_, Text::PainterTitle));
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
