// Files dragged onto the window from a file manager.
#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace velmora {

// The path of the one local file being dragged; nullopt for anything else
// (several files, remote URLs, text).
std::optional<QString> SingleDroppedFile(const QMimeData* data);

// Room files go to Open wherever they are dropped; on a picture box, BMP
// files go to Load from bitmapfile and any other picture to Import picture.
bool LooksLikeRoomFile(const QString& path);
bool LooksLikeBmpFile(const QString& path);

}  // namespace velmora
