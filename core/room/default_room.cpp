#include "core/room/default_room.h"

#include "core/image/palette.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace velmora {

namespace {

// Room-palette entries the drawings use. None of them is 255 (black), so the
// masks come out see-through only on the black backgrounds.
constexpr uint8_t kWhite = kWhiteIndex;
constexpr uint8_t kLineGrey = 247;  // (187, 187, 187)
constexpr uint8_t kDarkGrey = 249;  // (136, 136, 136)
constexpr uint8_t kCream = 1;       // (255, 255, 204)
constexpr uint8_t kYellow = 5;      // (255, 255, 0)
constexpr uint8_t kBlue = 210;      // (0, 0, 255)
constexpr uint8_t kGreen = 185;     // (0, 255, 0)
constexpr uint8_t kRed = 35;        // (255, 0, 0)

// Minimal drawing on an 8-bit picture; everything is clipped to the picture.
class Canvas {
public:
    explicit Canvas(Bitmap& b) : b_(b) {}

    void dot(int x, int y, uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < b_.width && y < b_.height)
            b_.setIndex(x, y, c);
    }
    void fill(uint8_t c) { std::fill(b_.pixels.begin(), b_.pixels.end(), c); }
    void fillRect(int x0, int y0, int x1, int y1, uint8_t c)  // inclusive corners
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                dot(x, y, c);
    }
    void rect(int x0, int y0, int x1, int y1, uint8_t c)
    {
        line(x0, y0, x1, y0, c);
        line(x1, y0, x1, y1, c);
        line(x1, y1, x0, y1, c);
        line(x0, y1, x0, y0, c);
    }
    void line(int x0, int y0, int x1, int y1, uint8_t c)  // Bresenham, both ends drawn
    {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            dot(x0, y0, c);
            if (x0 == x1 && y0 == y1)
                return;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
    void fillEllipse(int cx, int cy, int rx, int ry, uint8_t c)
    {
        for (int y = cy - ry; y <= cy + ry; ++y)
            for (int x = cx - rx; x <= cx + rx; ++x) {
                const long nx = x - cx, ny = y - cy;
                if (nx * nx * ry * ry + ny * ny * rx * rx <= long{rx} * rx * ry * ry)
                    dot(x, y, c);
            }
    }
    void fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, uint8_t c)
    {
        auto edge = [](int ax, int ay, int bx, int by, int px, int py) {
            return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
        };
        for (int y = 0; y < b_.height; ++y)
            for (int x = 0; x < b_.width; ++x) {
                const int e0 = edge(x0, y0, x1, y1, x, y), e1 = edge(x1, y1, x2, y2, x, y),
                          e2 = edge(x2, y2, x0, y0, x, y);
                if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                    dot(x, y, c);
            }
    }

private:
    Bitmap& b_;
};

// The room: white, a grey line drawing of the back wall, floor and side
// walls, with frames around the places of the window and the door.
void DrawRoom(Bitmap& b)
{
    Canvas c(b);
    constexpr int kFloor = 152;  // the door stands on the floor line
    c.line(20, 0, 20, kFloor, kLineGrey);
    c.line(300, 0, 300, kFloor, kLineGrey);
    c.line(20, kFloor, 300, kFloor, kLineGrey);
    // Floorboards running towards the back wall; the outer two are the
    // edges between floor and side walls.
    for (int x : {-120, -20, 80, 180, 280, 380, 480})
        c.line(20 + (x + 120) * 280 / 600, kFloor, x, 239, kLineGrey);
    // Window (part placement 79,0..133,82): frame just outside, and a sill.
    const Placement w = PartSlotTable::PlacementOf(0);
    c.rect(w.left - 1, w.top, w.right + 1, w.bottom + 1, kLineGrey);
    c.line(w.left - 5, w.bottom + 3, w.right + 5, w.bottom + 3, kLineGrey);
    // Door (part placement 213,44..277,152): frame outside its top and sides.
    const Placement d = PartSlotTable::PlacementOf(5);
    c.line(d.left - 1, d.top - 1, d.right + 1, d.top - 1, kLineGrey);
    c.line(d.left - 1, d.top - 1, d.left - 1, d.bottom, kLineGrey);
    c.line(d.right + 1, d.top - 1, d.right + 1, d.bottom, kLineGrey);
}

// While connecting: a globe with a signal on a black sky.
void DrawConnectingView(Bitmap& b)
{
    Canvas c(b);
    c.fill(kBlackIndex);
    c.fillEllipse(27, 34, 18, 18, kBlue);
    c.line(9, 34, 45, 34, kGreen);
    c.line(27, 16, 27, 52, kGreen);
    c.line(13, 24, 41, 24, kGreen);
    c.line(13, 44, 41, 44, kGreen);
    for (int i = 0; i < 3; ++i)
        c.fillRect(15 + 10 * i, 66, 17 + 10 * i, 68, i == 1 ? kRed : kYellow);
}

// The speech bubble: a white balloon with a grey rim and a tail to the lower left.
void DrawBubble(Bitmap& b)
{
    Canvas c(b);
    c.fill(kBlackIndex);
    c.fillTriangle(14, 44, 30, 50, 6, 69, kDarkGrey);
    c.fillEllipse(41, 28, 40, 27, kDarkGrey);
    c.fillTriangle(17, 44, 28, 48, 10, 64, kWhite);
    c.fillEllipse(41, 28, 38, 25, kWhite);
}

// An envelope filling the picture less a black border of the given width.
void DrawLetter(Bitmap& b, int borderX, int borderY)
{
    Canvas c(b);
    c.fill(kBlackIndex);
    const int x0 = borderX, y0 = borderY, x1 = b.width - 1 - borderX, y1 = b.height - 1 - borderY;
    c.fillRect(x0, y0, x1, y1, kCream);
    c.rect(x0, y0, x1, y1, kDarkGrey);
    const int mx = (x0 + x1) / 2, my = (y0 + y1) / 2 + 1;
    c.line(x0, y0, mx, my, kDarkGrey);
    c.line(x1, y0, mx, my, kDarkGrey);
}

Bitmap MaskFor(const Bitmap& picture, int maskSlot)
{
    const bool whiteFirst = WhiteFirstMask(maskSlot);
    Bitmap mask = Bitmap::Make(picture.width, picture.height, 1, DefaultMaskColours(maskSlot));
    const uint8_t white = whiteFirst ? 0 : 1;
    const uint8_t black = whiteFirst ? 1 : 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        mask.pixels[i] = picture.pixels[i] == kBlackIndex ? white : black;
    return mask;
}

}  // namespace

bool WhiteFirstMask(int maskSlot)
{
    return (maskSlot >= slot::WinDayMask && maskSlot <= slot::DoorDayMask) || maskSlot == slot::DoorNightMask;
}

std::vector<RgbQuad> DefaultMaskColours(int maskSlot)
{
    return WhiteFirstMask(maskSlot) ? MaskColoursWhiteFirst() : MaskColoursBlackFirst();
}

RoomPictures DefaultRoomPictures()
{
    RoomPictures pictures;
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        const PartSize size = PartSlotTable::RequiredSize(part);
        pictures[static_cast<size_t>(part)] = Bitmap::Make(size.width, size.height, 8, RoomPaletteVector());
    }
    DrawConnectingView(pictures[slot::WinIOImage]);
    DrawRoom(pictures[slot::RoomImage]);
    DrawBubble(pictures[slot::BubbleImage]);
    DrawLetter(pictures[slot::Letter1Image], 1, 1);
    DrawLetter(pictures[slot::Letter2Image], 1, 3);
    DrawLetter(pictures[slot::Letter3Image], 1, 1);
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        pictures[static_cast<size_t>(PartSlotTable::MaskOf(part))] =
            MaskFor(pictures[static_cast<size_t>(part)], PartSlotTable::MaskOf(part));
    return pictures;
}

}  // namespace velmora
