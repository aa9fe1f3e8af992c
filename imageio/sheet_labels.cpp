#include "imageio/sheet_labels.h"

#include "core/image/palette.h"
#include "core/share/share_states.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace velmora {

namespace {

constexpr int kLinePixels = 13;  // at scale 1
constexpr int kFontPixels = 10;

}  // namespace

StateWords EnglishStateWords()
{
    StateWords w;
    w.fontFace = QStringLiteral("DejaVu Sans");
    w.daytime = QStringLiteral("Daytime");
    w.nighttime = QStringLiteral("Nighttime");
    w.door = QStringLiteral("Door");
    w.closed = QStringLiteral("Closed");
    w.halfOpen = QStringLiteral("Half open");
    w.open = QStringLiteral("Open");
    w.treasureBox = QStringLiteral("Treasure box");
    w.bed = QStringLiteral("Bed");
    w.defaultLook = QStringLiteral("Default");
    w.sleeping = QStringLiteral("Sleeping");
    w.lettersAndBubble = QStringLiteral("Letters, bubble");
    return w;
}

QString StateName(const StateWords& w, const PreviewState& s)
{
    const QString door = s.door == DoorState::Open ? w.open : s.door == DoorState::HalfOpen ? w.halfOpen : w.closed;
    QString first = (s.night ? w.nighttime : w.daytime) + QStringLiteral(", ") + w.door + QStringLiteral(": ") + door;
    QString second = w.treasureBox + QStringLiteral(": ") + (s.treasureBoxOpen ? w.open : w.closed) +
                     QStringLiteral(", ") + w.bed + QStringLiteral(": ") + (s.bedSleeping ? w.sleeping : w.defaultLook);
    if (s.lettersAndBubble)
        second += QStringLiteral(", ") + w.lettersAndBubble;
    return first + QLatin1Char('\n') + second;
}

int LabelHeight(int scale)
{
    return (2 * kLinePixels + 4) * scale;
}

Bitmap ComposeLabelledSheet(const PreparedRoom& room, SheetLayout layout, const StateWords& words)
{
    layout.labelHeight = LabelHeight(layout.scale);
    Bitmap sheet = ComposeSheet(room, layout);
    QFont font(words.fontFace);
    font.setPixelSize(kFontPixels * layout.scale);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    const std::vector<PreviewState> states = EveryState();
    const int lineHeight = kLinePixels * layout.scale;
    for (int i = 0; i < kStateCount; ++i) {
        const PixelRect band = layout.label(i);
        QImage text(band.width, band.height, QImage::Format_RGB32);
        text.fill(Qt::white);
        {
            QPainter painter(&text);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QStringList lines = StateName(words, states[size_t(i)]).split(QLatin1Char('\n'));
            for (int l = 0; l < lines.size(); ++l) {
                const QString shown = metrics.elidedText(lines[l], Qt::ElideRight, band.width);
                painter.drawText(QRect(0, 2 * layout.scale + l * lineHeight, band.width, lineHeight),
                                 Qt::AlignHCenter | Qt::AlignVCenter, shown);
            }
        }
        for (int y = 0; y < band.height; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(text.constScanLine(y));
            uint8_t* out = sheet.pixels.data() + size_t(band.y + y) * sheet.width + band.x;
            for (int x = 0; x < band.width; ++x)
                out[x] = qGray(row[x]) < 128 ? kBlackIndex : kWhiteIndex;
        }
    }
    return sheet;
}

}  // namespace velmora
