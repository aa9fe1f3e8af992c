// The painter's brush and symmetry: the brush bar (shape and size), the
// keys that change the size, the footprint under the mouse, and the axes
// the tools mirror about.
#include "ui/painter/painter_window.h"

#include "ui/painter/paint_canvas.h"
#include "ui/services/language_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>

namespace velmora {

void PainterWindow::createBrushBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("BrushBar"));
    bar->setMovable(false);
    brushShape_ = new QComboBox(bar);
    brushShape_->setObjectName(QStringLiteral("BrushShape"));
    brushSize_ = new QSpinBox(bar);
    brushSize_->setObjectName(QStringLiteral("BrushSize"));
    brushSize_->setRange(1, kBrushMaxSize);
    brushSize_->setFocusPolicy(Qt::ClickFocus);  // the canvas keeps the keys
    bar->addWidget(brushShape_);
    bar->addWidget(brushSize_);
    addToolBar(Qt::TopToolBarArea, bar);
    connect(brushShape_, &QComboBox::currentIndexChanged, this, [this](int index) {
        brush_.shape = index == 1 ? BrushShape::Round : BrushShape::Square;
        actions_[size_t(index == 1 ? Text::RoundBrush : Text::SquareBrush)]->setChecked(true);
        refreshFootprint();
    });
    connect(brushSize_, &QSpinBox::valueChanged, this, [this](int size) { setBrushSize(size); });
}

void PainterWindow::createBrushActions(QMenu* tools)
{
    tools->addSeparator();
    auto* shapes = new QActionGroup(this);
    for (Text shape : {Text::SquareBrush, Text::RoundBrush}) {
        QAction* action = makeAction(tools, shape);
        action->setCheckable(true);
        shapes->addAction(action);
        const int index = shape == Text::RoundBrush ? 1 : 0;
        connect(action, &QAction::triggered, this, [this, index] { brushShape_->setCurrentIndex(index); });
    }
    actions_[size_t(Text::SquareBrush)]->setChecked(true);
    bind(makeAction(tools, Text::LargerBrush, QKeySequence(Qt::Key_Period)), [this] { setBrushSize(brush_.size + 1); });
    bind(makeAction(tools, Text::SmallerBrush, QKeySequence(Qt::Key_Comma)), [this] { setBrushSize(brush_.size - 1); });

    tools->addSeparator();
    for (Text axis : {Text::VerticalSymmetry, Text::HorizontalSymmetry}) {
        QAction* action = makeAction(tools, axis);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this] { refreshAxes(); });
    }
    bind(makeAction(tools, Text::CentredAxes), [this] {
        axesAt_.reset();
        placingAxes_ = false;
        refreshAxes();
    });
    bind(makeAction(tools, Text::PlaceAxes), [this] { placingAxes_ = true; });
}

void PainterWindow::applyBrushTexts()
{
    const QSignalBlocker quiet(brushShape_);
    const int current = std::max(0, brushShape_->currentIndex());
    brushShape_->clear();
    brushShape_->addItem(TextOrEnglish(texts_, Text::SquareBrush));
    brushShape_->addItem(TextOrEnglish(texts_, Text::RoundBrush));
    brushShape_->setCurrentIndex(current);
    brushShape_->setToolTip(TextOrEnglish(texts_, Text::BrushShapeTip));
    brushSize_->setToolTip(TextOrEnglish(texts_, Text::BrushSizeTip));
    brushSize_->setAccessibleName(TextOrEnglish(texts_, Text::BrushSizeTip));
}

void PainterWindow::setBrushSize(int size)
{
    brush_.size = std::clamp(size, 1, kBrushMaxSize);
    const QSignalBlocker quiet(brushSize_);
    brushSize_->setValue(brush_.size);
    refreshFootprint();
}

void PainterWindow::refreshFootprint()
{
    // The footprint shows where the next dab lands; tools without a brush show none.
    canvas_->setFootprint(EntryOf(tool_).parts.brushed ? Footprint(brush_) : std::vector<FootprintRow>{});
}

Symmetry PainterWindow::symmetry() const
{
    const PaintPicture& picture = session_->picture();
    Symmetry s = Symmetry::Centred(actions_[size_t(Text::VerticalSymmetry)]->isChecked(),
                                   actions_[size_t(Text::HorizontalSymmetry)]->isChecked(), picture.width,
                                   picture.height);
    if (axesAt_) {
        s.axisX2 = 2 * axesAt_->x();
        s.axisY2 = 2 * axesAt_->y();
    }
    return s;
}

void PainterWindow::refreshAxes()
{
    const Symmetry s = symmetry();
    canvas_->setAxes(s.vertical ? std::optional<int32_t>(s.axisX2) : std::nullopt,
                     s.horizontal ? std::optional<int32_t>(s.axisY2) : std::nullopt);
}

}  // namespace velmora
