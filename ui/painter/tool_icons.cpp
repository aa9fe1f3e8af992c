#include "ui/painter/tool_icons.h"

#include <QImage>
#include <QPixmap>

#include <array>
#include <cstring>

namespace velmora {

namespace {

// Each tool's picture, 16 x 16: '#' ink, 'w' white, 'r' red, 'y' yellow,
// 'b' blue, 'g' grey, anything else clear. Drawn at 16 and 32 pixels by
// repeating pixels, so it stays sharp at scale 1 and 2.
struct IconRows {
    const char* name;
    std::array<const char*, 16> rows;
};

constexpr std::array kIcons = {
    IconRows{"pencil", {"           ###  ", "          #rrr# ", "         #rrrrr#", "        #yrrrr# ",
                        "       #yyy#r#  ", "      #yyyyy#   ", "     #yyyyy#    ", "    #yyyyy#     ",
                        "   #yyyyy#      ", "  #wyyyy#       ", "  #wwyy#        ", " #wwww#         ",
                        " ##ww#          ", " ####           ", "                ", "                "}},
    IconRows{"eraser", {"                ", "                ", "        ####    ", "       #rrrr#   ",
                        "      #rrrrrr#  ", "     #rrrrrrrr# ", "    #wrrrrrrr#  ", "   #wwwrrrrr#   ",
                        "  #wwwwwrrr#    ", " #wwwwwww#r#    ", " #wwwwwww##     ", "  #wwwww#       ",
                        "   #####        ", "                ", " ############## ", "                "}},
    IconRows{"line", {"                ", "              ##", "             ## ", "            ##  ",
                      "           ##   ", "          ##    ", "         ##     ", "        ##      ",
                      "       ##       ", "      ##        ", "     ##         ", "    ##          ",
                      "   ##           ", "  ##            ", " ##             ", "##              "}},
    IconRows{"rectangle", {"                ", "                ", " ############## ", " #            # ",
                           " #            # ", " #            # ", " #            # ", " #            # ",
                           " #            # ", " #            # ", " #            # ", " #            # ",
                           " #            # ", " ############## ", "                ", "                "}},
    IconRows{"filled-rectangle", {"                ", "                ", " ############## ", " #bbbbbbbbbbbb# ",
                                  " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ",
                                  " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ",
                                  " #bbbbbbbbbbbb# ", " ############## ", "                ", "                "}},
    IconRows{"ellipse", {"                ", "                ", "     ######     ", "   ##      ##   ",
                         "  #          #  ", " #            # ", " #            # ", " #            # ",
                         " #            # ", " #            # ", " #            # ", "  #          #  ",
                         "   ##      ##   ", "     ######     ", "                ", "                "}},
    IconRows{"filled-ellipse", {"                ", "                ", "     ######     ", "   ##bbbbbb##   ",
                                "  #bbbbbbbbbb#  ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ",
                                " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ", "  #bbbbbbbbbb#  ",
                                "   ##bbbbbb##   ", "     ######     ", "                ", "                "}},
    IconRows{"fill", {"      ##        ", "     #ww#       ", "    #wwww#      ", "   #wwwwww#     ",
                      "  #wwwwwwww#    ", " #wwwwwwwwww#   ", "#bbbbbbbbbbbb#  ", " #bbbbbbbbbb#b  ",
                      "  #bbbbbbbb# bb ", "   #bbbbbb#  bb ", "    #bbbb#   bbb", "     #bb#    bbb",
                      "      ##      b ", "                ", "                ", "                "}},
    IconRows{"picker", {"            ### ", "           #####", "          ######", "         #######",
                        "        ###### #", "       #w####   ", "      #w#  #    ", "     #w#        ",
                        "    #w#         ", "   #w#          ", "  #b#           ", " #bb#           ",
                        " #b#            ", "  #             ", "                ", "                "}},
    IconRows{"select", {"## ## ## ## ##  ", "#               ", "             #  ", "#               ",
                        "#            #  ", "                ", "#            #  ", "#               ",
                        "             #  ", "#               ", "#            #  ", "                ",
                        "## ## ## ## ##  ", "                ", "                ", "                "}},
    IconRows{"replace", {"                ", " ######         ", " #rrrr#         ", " #rrrr#         ",
                         " #rrrr#   #     ", " #rrrr#    #    ", " ######  ###### ", "           #    ",
                         "          #     ", "        ######  ", "        #bbbb#  ", "        #bbbb#  ",
                         "        #bbbb#  ", "        #bbbb#  ", "        ######  ", "                "}},
    IconRows{"shade", {"                ", " ############## ", " #wwwwwwwwwwww# ", " #wwwwwwwwwwww# ",
                       " #gggggggggggg# ", " #gggggggggggg# ", " #gggggggggggg# ", " ############## ",
                       " ############## ", " ############## ", " #bbbbbbbbbbbb# ", " #bbbbbbbbbbbb# ",
                       " #bbbbbbbbbbbb# ", " ############## ", "                ", "                "}},
    IconRows{"gradient", {"################", "#bbbbbbbbbbbbbb#", "#bbbbbbbbbbbbbb#", "#b b b b b b b #",
                          "# b b b b b b b#", "#bbbbbbbbbbbbbb#", "# b b b b b b b#", "#b   b   b   b #",
                          "#   b   b   b  #", "# b   b   b   b#", "#   b   b   b  #", "#     b       b#",
                          "#   b       b  #", "#              #", "#              #", "################"}},
    IconRows{"pixel-perfect", {"                ", "                ", "  ##            ", "  ##            ",
                               "    ##          ", "    ##          ", "      ##        ", "      ##        ",
                               "        ##      ", "        ##      ", "          ##    ", "          ##    ",
                               "            ##  ", "            ##  ", "                ", "                "}},
};

QRgb ColourOf(char c)
{
    switch (c) {
    case '#': return qRgba(32, 32, 40, 255);
    case 'w': return qRgba(250, 250, 250, 255);
    case 'r': return qRgba(214, 64, 64, 255);
    case 'y': return qRgba(236, 196, 72, 255);
    case 'b': return qRgba(64, 120, 216, 255);
    case 'g': return qRgba(150, 150, 160, 255);
    default: return qRgba(0, 0, 0, 0);
    }
}

QPixmap Drawn(const IconRows& icon, int scale)
{
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32);
    for (int y = 0; y < 16 * scale; ++y)
        for (int x = 0; x < 16 * scale; ++x)
            image.setPixel(x, y, ColourOf(icon.rows[size_t(y / scale)][x / scale]));
    return QPixmap::fromImage(image);
}

}  // namespace

QIcon ToolIcon(const char* name)
{
    for (const IconRows& icon : kIcons)
        if (std::strcmp(icon.name, name) == 0) {
            QIcon out;
            out.addPixmap(Drawn(icon, 1));
            out.addPixmap(Drawn(icon, 2));
            return out;
        }
    return QIcon();
}

}  // namespace velmora
