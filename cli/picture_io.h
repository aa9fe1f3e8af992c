// Pieces of velmora-pac shared by the picture commands and extract, pack
// and render.
#pragma once

#include "core/edit/picture_convert.h"
#include "core/room/room_file.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace velmora::pac {

// A slot number 0-39 from the command line; anything else is wrong usage.
int ParseSlot(const QString& text);

// "08-BedImage.png" for slot 8.
QString SlotPngName(int slot);

// A picture file of any format converted into `slot` as `choices` say; a
// picture that cannot be read, or has the wrong size for Fitting::Exact,
// ends the command naming the file.
SlotConversion ReadSlotPicture(const QString& path, int slot, bool alwaysMask, const ImportChoices& choices = {});

// import's --fit, --dither and --alpha; a value they do not take is wrong usage.
ImportChoices ParseImportChoices(const QString& fit, const QString& dither, const QString& alpha);

// The slot as PNG bytes: a part with its transparency, a mask in greys.
std::vector<uint8_t> SlotPng(const RoomPictures& pictures, int slot);

}  // namespace velmora::pac
