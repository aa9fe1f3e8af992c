#include "ui/widgets/file_drop.h"

#include <QMimeData>
#include <QUrl>

namespace velmora {

std::optional<QString> SingleDroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    return urls.front().toLocalFile();
}

bool LooksLikeRoomFile(const QString& path)
{
    return path.endsWith(QLatin1String(".pac"), Qt::CaseInsensitive);
}

bool LooksLikeBmpFile(const QString& path)
{
    return path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".dib"), Qt::CaseInsensitive);
}

}  // namespace velmora
