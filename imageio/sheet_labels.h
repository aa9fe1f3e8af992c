// The names of the sheet's states written under their tiles: text needs Qt,
// so this is the one part of the sheet above the core.
#pragma once

#include "core/render/prepared_room.h"
#include "core/share/sheet.h"

#include <QString>

namespace velmora {

// The words a state's name is made of, in the chosen language.
struct StateWords {
    QString fontFace;
    QString daytime, nighttime;
    QString door, closed, halfOpen, open;
    QString treasureBox, bed, defaultLook, sleeping, lettersAndBubble;
};

// The English words, as the labels lines give them when a file lacks them.
StateWords EnglishStateWords();

// Two lines: "Daytime, Door: Half open" and "Treasure box: Open, Bed: Sleeping,
// Letters, bubble" (the last only when they are shown).
QString StateName(const StateWords& words, const PreviewState& state);

// The white rows a tile's name takes at `scale`.
int LabelHeight(int scale);

// The sheet with every state's name under its tile in black, in the words'
// face, without smoothing (only white and black pixels); the tiles are never
// covered. Needs a QGuiApplication.
Bitmap ComposeLabelledSheet(const PreparedRoom& room, SheetLayout layout, const StateWords& words);

}  // namespace velmora
