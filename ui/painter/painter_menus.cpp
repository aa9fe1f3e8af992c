// The painter's menus and tool bar: File (the room's own Save, Save As and
// Check), Edit, View, Tools (built from the tool table) and Colours.
#include "ui/painter/painter_window.h"

#include "ui/painter/paint_canvas.h"
#include "ui/painter/room_view.h"
#include "ui/painter/tool_icons.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_texts.h"

#include "document/room_document.h"

#include "core/paint/paint_slots.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace velmora {

void PainterWindow::createMenus()
{
    auto menu = [this](size_t i) {
        menus_[i] = menuBar()->addMenu(QString());
        return menus_[i];
    };
    auto named = [this](Text text) { return StepName(TextOrEnglish(texts_, text)); };

    createFileMenu(menu(0));

    QMenu* edit = menu(1);
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
    hiddenAction(QKeySequence(Qt::Key_Escape), [this] { escape(); });

    QMenu* view = menu(2);
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
    createOnionMenu(view);

    createToolsMenu(menu(3));
    createTransformMenu(menu(4));

    QMenu* colours = menu(5);
    bind(makeAction(colours, Text::SwapColours, QKeySequence(Qt::Key_X)),
         [this] { setColours(background_, foreground_); });
    bind(makeAction(colours, Text::PreviousColour, QKeySequence(Qt::Key_BracketLeft)),
         [this] { setColours(uint8_t(foreground_ - 1), background_); });
    bind(makeAction(colours, Text::NextColour, QKeySequence(Qt::Key_BracketRight)),
         [this] { setColours(uint8_t(foreground_ + 1), background_); });
}

void PainterWindow::createFileMenu(QMenu* file)
{
    // The room's own commands: a drag still held becomes its step first.
    auto room = [this](void (EditorContext::*command)()) {
        return [this, command] {
            session_->release();
            (editor_.*command)();
        };
    };
    bind(makeAction(file, Text::Save, QKeySequence(Qt::CTRL | Qt::Key_S)), room(&EditorContext::saveRoom));
    bind(makeAction(file, Text::SaveRoomFile, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
         room(&EditorContext::saveRoomAs));
    file->addSeparator();
    bind(makeAction(file, Text::ShowCheck), room(&EditorContext::checkRoom));
}

void PainterWindow::createOnionMenu(QMenu* view)
{
    onionMenu_ = view->addMenu(QString());
    onionMenu_->setObjectName(QStringLiteral("OnionSkinMenu"));
    actions_[size_t(Text::OnionSkin)] = onionMenu_->menuAction();
    onionGroup_ = new QActionGroup(this);
    QAction* none = makeAction(onionMenu_, Text::OnionNone);
    none->setObjectName(QStringLiteral("OnionNone"));
    none->setCheckable(true);
    none->setChecked(true);
    onionGroup_->addAction(none);
    connect(none, &QAction::triggered, this, [this] {
        onionSlot_ = -1;
        refreshOnion();
    });
}

void PainterWindow::refreshOnionMenu()
{
    const std::vector<int> siblings = PartSlotTable::SiblingsOf(session_->slot());
    if (std::find(siblings.begin(), siblings.end(), onionSlot_) == siblings.end())
        onionSlot_ = -1;
    QAction* none = actions_[size_t(Text::OnionNone)];
    for (QAction* action : onionGroup_->actions())
        if (action != none)
            delete action;
    for (int sibling : siblings) {
        QAction* action = onionMenu_->addAction(
            TextOrEnglish(texts_, Nth(Text::FirstPartName, PartSlotTable::PartOf(sibling))));
        action->setObjectName(QStringLiteral("Onion%1").arg(sibling));
        action->setCheckable(true);
        action->setChecked(sibling == onionSlot_);
        onionGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [this, sibling] {
            onionSlot_ = sibling;
            refreshOnion();
        });
    }
    none->setChecked(onionSlot_ < 0);
    onionMenu_->menuAction()->setEnabled(!siblings.empty());
    refreshOnion();
}

void PainterWindow::refreshOnion()
{
    // Read from the pictures the room shows, through the sibling's own mask; a copy, never painted on.
    canvas_->setOnionSkin(onionSlot_ < 0 ? std::nullopt
                                         : std::optional<PaintPicture>(ReadPaintPicture(session_->pictures(), onionSlot_)));
}

void PainterWindow::createToolsMenu(QMenu* tools)
{
    auto* toolGroup = new QActionGroup(this);
    // A key of one tool is its action's; a key several share goes round them.
    std::map<std::string, std::vector<PaintTool>> shared;
    for (const ToolEntry& entry : kTools)
        shared[entry.key].push_back(entry.tool);
    for (const ToolEntry& entry : kTools) {
        const bool own = shared[entry.key].size() == 1;
        QAction* action = makeAction(tools, entry.caption, own ? QKeySequence(QString::fromLatin1(entry.key)) : QKeySequence());
        action->setCheckable(true);
        action->setObjectName(QStringLiteral("Tool%1").arg(int(entry.tool)));
        toolGroup->addAction(action);
        const PaintTool tool = entry.tool;
        connect(action, &QAction::triggered, this, [this, tool] { setTool(tool); });
        if (entry.parts.joining == Joining::PixelPerfect) {
            QAction* perfect = makeAction(tools, Text::PixelPerfect);
            perfect->setCheckable(true);
        }
    }
    for (const auto& [key, round] : shared) {
        if (round.size() < 2 || key.empty())
            continue;
        hiddenAction(QKeySequence(QString::fromStdString(key)), [this, round] {
            const auto at = std::find(round.begin(), round.end(), tool_);
            setTool(at == round.end() || at + 1 == round.end() ? round.front() : *(at + 1));
        });
    }
    createBrushActions(tools);
}

void PainterWindow::createTools()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    // The icons are drawn for 16 pixels (32 at scale 2): any other size would blur them.
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolEntry& entry : kTools) {
        QAction* action = actions_[size_t(entry.caption)];
        action->setIcon(ToolIcon(entry.icon));
        bar->addAction(action);
    }
    bar->addSeparator();
    actions_[size_t(Text::PixelPerfect)]->setIcon(ToolIcon("pixel-perfect"));
    bar->addAction(actions_[size_t(Text::PixelPerfect)]);
    addToolBar(Qt::LeftToolBarArea, bar);
    actions_[size_t(Text::Pencil)]->setChecked(true);
}

}  // namespace velmora
