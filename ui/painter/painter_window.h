// The painter: a window of its own on the room document, not modal. It
// paints one slot at a time (a part through the mask the room draws it
// with, or a mask alone) on the canvas, with the palette and the composed
// room beside it; every stroke is one step of the document's history.
//
// From the editor (EditorContext) it takes the language texts (read again
// by applyTexts after a change of language), the error box of its commands,
// and the room's Save, Save As and Check for its File menu. A line a
// language file lacks shows its English (TextOrEnglish).
#pragma once

#include "ui/painter/paint_session.h"
#include "ui/painter/tool_table.h"
#include "ui/services/language_lines.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;
class QLabel;
class QMenu;

namespace velmora {

class EditorContext;
class LanguageTexts;
class PaintCanvas;
class PaletteGrid;
class RoomDocument;
class RoomView;

class PainterWindow : public QMainWindow {
    Q_OBJECT
public:
    PainterWindow(RoomDocument& document, EditorContext& editor, QWidget* parent = nullptr);
    ~PainterWindow() override;

    // Paints `slot` (0-39) from now on, ending a stroke in progress, and
    // brings the window to the front.
    void showSlot(int slot);
    int slot() const { return session_->slot(); }
    // Takes the captions from the language texts again.
    void applyTexts();
    // A stroke still held becomes its step now.
    void endStroke();

    PaintTool tool() const { return tool_; }
    void setTool(PaintTool tool);
    uint8_t foreground() const { return foreground_; }
    uint8_t background() const { return background_; }
    void setColours(uint8_t foreground, uint8_t background);
    const PaintSession& session() const { return *session_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* makeAction(QMenu* menu, Text text, const QKeySequence& key = {});
    QAction* hiddenAction(const QKeySequence& key, const std::function<void()>& handler);
    // The action runs `handler`, an error in it shown in the error box.
    void bind(QAction* action, const std::function<void()>& handler);
    // painter_menus.cpp
    void createMenus();
    void createFileMenu(QMenu* file);
    void createToolsMenu(QMenu* tools);
    // The View menu's onion skin: None and the other states of the part.
    void createOnionMenu(QMenu* view);
    // The states listed for the part shown; the one chosen stays while it is one of them.
    void refreshOnionMenu();
    void refreshOnion();
    void createTools();
    // painter_brush.cpp: the brush bar, the brush and symmetry actions of the Tools menu.
    void createBrushBar();
    void createBrushActions(QMenu* tools);
    void setBrushSize(int size);
    Symmetry symmetry() const;
    void refreshFootprint();
    void refreshAxes();
    void applyBrushTexts();
    // painter_transform.cpp
    void createTransformMenu(QMenu* transform);
    // painter_side_panel.cpp
    QWidget* createSidePanel();
    QWidget* createRoomChoices();
    void roomClicked(QPoint pixel);
    void lookChosen();
    void connectSession();
    void run(const std::function<void()>& command);

    // painter_input.cpp
    void canvasPressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void canvasDragged(QPoint pixel);
    void canvasReleased();
    void pick(QPoint pixel, Qt::MouseButton button);
    QString stepName(const ToolEntry& entry, const ToolInput& input) const;
    // Escape: a drag is cancelled, else the selection dropped.
    void escape();

    void pictureReplaced();
    void updateTitle();
    void showHovered(std::optional<QPoint> pixel);
    void showZoom();
    void refreshHistory();
    void refreshSelectionActions();
    void refreshSurroundings();

    RoomDocument& document_;
    EditorContext& editor_;
    const LanguageTexts& texts_;
    PaintSession* session_;

    PaintCanvas* canvas_ = nullptr;
    PaletteGrid* palette_ = nullptr;
    RoomView* roomView_ = nullptr;
    QComboBox* time_ = nullptr;
    QComboBox* door_ = nullptr;
    QComboBox* treasureBox_ = nullptr;
    QComboBox* bed_ = nullptr;
    QCheckBox* letters_ = nullptr;
    std::array<QLabel*, 4> choiceLabels_{};
    QLabel* roomTitle_ = nullptr;
    QLabel* pixelShown_ = nullptr;
    QLabel* colourShown_ = nullptr;
    QLabel* zoomShown_ = nullptr;
    QLabel* maskShown_ = nullptr;

    std::array<QMenu*, 6> menus_{};
    QMenu* onionMenu_ = nullptr;
    QActionGroup* onionGroup_ = nullptr;
    int onionSlot_ = -1;  // the state shown under the picture; none when negative
    // The captioned actions, by their text.
    std::array<QAction*, kTextLines.size()> actions_{};

    PaintTool tool_ = PaintTool::Pencil;
    Brush brush_;
    QComboBox* brushShape_ = nullptr;
    QSpinBox* brushSize_ = nullptr;
    std::optional<QPoint> axesAt_;  // set by a click; the picture's middle without one
    bool placingAxes_ = false;
    uint8_t foreground_ = 255;
    uint8_t background_ = 0;
    // The button picking colours while it is held (the picker, or Alt).
    Qt::MouseButton picking_ = Qt::NoButton;
    std::optional<QPoint> hovered_;
    int shownSlot_ = -1;
    bool fitted_ = false;
};

}  // namespace velmora
