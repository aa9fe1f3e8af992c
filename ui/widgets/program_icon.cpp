#include "ui/widgets/program_icon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

// The resource lives in a static library, whose initialiser the linker would
// drop unless something calls it. Outside any namespace, as the macro needs.
static void InitIconResource()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

constexpr std::array<int, 6> kSides = {16, 32, 48, 64, 128, 256};

// Decodes a size only when asked for it. Giving QIcon the files would decode
// all six at start-up, and finding their format would load every image
// plugin Qt has; on most platforms nothing asks for the window icon at all.
class ProgramIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("velmora-program-icon"); }
    bool isNull() override { return false; }

    QList<QSize> availableSizes(QIcon::Mode = QIcon::Normal, QIcon::State = QIcon::Off) override
    {
        QList<QSize> sizes;
        for (const int side : kSides)
            sizes.push_back(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(std::min(side, kSides.back()), std::min(side, kSides.back()));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int want = std::min(size.width(), size.height());
        if (want <= 0)
            return {};
        // The smallest drawing at least as large, else the largest; scaled down to fit.
        size_t i = 0;
        while (i + 1 < kSides.size() && kSides[i] < want)
            ++i;
        if (loaded_[i].isNull())
            loaded_[i] = QPixmap::fromImage(QImage(QStringLiteral(":/icons/velmora-%1.png").arg(kSides[i]), "PNG"));
        if (kSides[i] <= want)
            return loaded_[i];
        return loaded_[i].scaled(want, want, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    std::array<QPixmap, kSides.size()> loaded_;
};

}  // namespace

QIcon ProgramIcon()
{
    static const bool initialised = (InitIconResource(), true);
    (void)initialised;
    return QIcon(new ProgramIconEngine);
}

}  // namespace velmora
