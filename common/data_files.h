// The data files of the program folder that both the editor and velmora-pac
// read, and the one check a header template must pass.
#pragma once

#include "common/result.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

// The header every saved room starts with.
QString HeaderTemplatePath(const QString& programFolder);
// The standard palette incoming part pictures are compared with.
QString StandardPalettePath(const QString& programFolder);

// The header template, read anew. CannotOpen or CannotRead when the file
// cannot be read; WrongSize when it is not exactly one room header long (any
// other length would give a room file the host cannot read).
Result<std::vector<uint8_t>> ReadHeaderTemplate(const QString& programFolder);

// The first 1024 bytes of the standard palette file. CannotOpen, or
// WrongSize for a shorter file: the part check then takes pictures without
// comparing colour tables.
Result<std::array<uint8_t, 1024>> ReadStandardPalette(const QString& path);

}  // namespace velmora
