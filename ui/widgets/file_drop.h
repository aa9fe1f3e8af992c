// Files dragged onto the window from a file manager.
#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace velmora {

// The path of the one local file being dragged; nullopt for anything else
// (several files, remote URLs, text).
std::optional<QString> SingleDroppedFile(const QMimeData* data);

// Room files go to Open wherever they are dropped; anything else dropped on a
// picture box goes to Load from bitmapfile.
bool LooksLikeRoomFile(const QString& path);

}  // namespace velmora
