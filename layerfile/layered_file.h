// Layered pictures (OpenRaster, Aseprite) of a whole room, in and out.
#pragma once

#include "common/result.h"
#include "core/layers/room_scene.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

enum class LayeredFormat { OpenRaster, Aseprite };

// .ora, .aseprite or .ase in any case; nullopt for any other name.
std::optional<LayeredFormat> LayeredFormatOfName(const QString& name);

// The room as a layered file (SceneOfRoom; OpenRaster with the default
// state as its merged image).
std::vector<uint8_t> EncodeLayeredFile(const RoomPictures& pictures, LayeredFormat format);
// The format by the file's content (a zip is OpenRaster, else Aseprite's
// magic number); throws LayeredFileError.
Scene DecodeLayeredFile(std::span<const uint8_t> bytes);

// Written whole through WriteWholeFile, in `format`, else the format the
// name asks for.
Result<void> WriteLayeredFile(const QString& path, const RoomPictures& pictures,
                              std::optional<LayeredFormat> format = std::nullopt);
// Read whole (at most kLayeredMaxFileSize: TooLarge) and decoded; a file
// that is refused is Damaged, its reason the refusal's one line.
Result<Scene> ReadLayeredFile(const QString& path);

}  // namespace velmora
