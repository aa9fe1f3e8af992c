// The painter's side panel: the palette, the composed room with the look it
// is shown in, and a click in it that opens the part drawn there.
#include "ui/painter/painter_window.h"

#include "ui/painter/palette_grid.h"
#include "ui/painter/room_view.h"

#include "core/paint/hit_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

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

}  // namespace velmora
