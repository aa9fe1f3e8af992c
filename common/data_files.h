// The data files of the program folder that both the editor and velmora-pac
// read, and the one check a header template must pass.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// The header every saved room starts with.
QString HeaderTemplatePath(const QString& programFolder);
// The standard palette incoming part pictures are compared with.
QString StandardPalettePath(const QString& programFolder);

// The header template, read anew; nullopt with the reason in `problem` when
// the file cannot be read or is not exactly one room header long (any other
// length would give a room file the host cannot read).
std::optional<std::vector<uint8_t>> ReadHeaderTemplate(const QString& programFolder, QString* problem = nullptr);

}  // namespace velmora
