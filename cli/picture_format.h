// The picture formats velmora-pac writes, chosen by a file's name.
#pragma once

#include "core/room/room_file.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora::pac {

enum class PictureFormat { Jpeg, Bmp, Png };

// The format a name's extension asks for (.jpg, .jpeg, .bmp, .png, in any
// case); nullopt for any other name.
std::optional<PictureFormat> FormatOfName(const QString& name);

// export: the format of OUT, or wrong usage for a name of another format.
PictureFormat ExportFormat(const QString& name);

// A slot as a file of `format`: PNG with its transparency (SlotPng), the
// slot's own BMP as extract writes it, or a JPEG of its colours (quality 80,
// as render writes the room).
std::vector<uint8_t> SlotPicture(const RoomPictures& pictures, int slot, PictureFormat format);

}  // namespace velmora::pac
