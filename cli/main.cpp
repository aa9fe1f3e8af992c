// velmora-pac: the command-line tool on the room core.
#include "commands.h"
#include "console_out.h"
#include "pac_common.h"
#include "share_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <memory>

using namespace velmora::pac;

namespace {

enum OptionGroup {
    kNoOptions = 0,
    kTextOptions = 1,
    kRenderOptions = 2,
    kImportOptions = 4,
    kPngOption = 8,
    kThumbnailOptions = 16,
};

struct Command {
    const char* name;
    const char* arguments;
    int argumentCount;
    int (*run)(const QStringList&, const Options&);
    int optionGroup;
};

constexpr Command kCommands[] = {
    {"default", "OUT.pac", 1, RunDefault, kNoOptions},
    {"info", "ROOM.pac", 1, RunInfo, kTextOptions},
    {"extract", "ROOM.pac DIR", 2, RunExtract, kTextOptions | kPngOption},
    {"pack", "DIR OUT.pac", 2, RunPack, kTextOptions},
    {"check", "BMP SLOT", 2, RunCheck, kNoOptions},
    {"lint", "ROOM.pac", 1, RunLint, kNoOptions},
    {"render", "ROOM.pac OUT", 2, RunRender, kRenderOptions},
    {"import", "ROOM.pac SLOT PICTURE", 3, RunImport, kImportOptions},
    {"export", "ROOM.pac SLOT OUT.png|.bmp|.jpg", 3, RunExport, kNoOptions},
    {"thumbnail", "ROOM.pac OUT.png", 2, RunThumbnail, kThumbnailOptions},
    {"animate", "ROOM.pac OUT.gif|OUT.png|OUT.webp", 2, RunAnimate, kRenderOptions},
    {"sheet", "ROOM.pac OUT.png", 2, RunSheet, kNoOptions},
    {"export-layers", "ROOM.pac OUT.ora|OUT.aseprite", 2, RunExportLayers, kNoOptions},
    {"import-layers", "ROOM.pac IN.ora|IN.aseprite", 2, RunImportLayers, kImportOptions},
};

const char* const kDescription =
    "Reads, writes and checks Velmora room files (.pac).\n"
    "\n"
    "Commands:\n"
    "  default OUT.pac        write the default room, with the header template\n"
    "                         VelmHead.dat of the program folder\n"
    "  info ROOM.pac          print the three texts, then per slot: number,\n"
    "                         picture-box name, size, bits per pixel, BMP length\n"
    "  extract ROOM.pac DIR [--png]\n"
    "                         write DIR/NN-Name.bmp for every slot (00-39) and\n"
    "                         name.txt, comment.txt, copyright.txt (raw bytes);\n"
    "                         with --png each part as DIR/NN-Name.png with its\n"
    "                         transparency instead of its two BMPs\n"
    "  pack DIR OUT.pac       the reverse of extract; every picture must pass the\n"
    "                         part check for its slot (a colour table other than\n"
    "                         Velmpl.dat of the program folder is taken with a\n"
    "                         warning); a part's NN-Name.png, when present, is\n"
    "                         converted as import does in place of its two BMPs;\n"
    "                         on a refusal nothing is written\n"
    "  check BMP SLOT         print \"accepted\", \"refused (N): reason\" or\n"
    "                         \"palette differs (6): reason\" for a BMP file and\n"
    "                         a slot 0-39; N is the editor's message number\n"
    "  --encoding NAME        info, extract, pack: the room's texts are in NAME\n"
    "                         (Shift_JIS, windows-1252, UTF-8, ...); info shows\n"
    "                         them and extract and pack write and read the text\n"
    "                         files in the locale's encoding. Without it the\n"
    "                         text files hold the room's raw bytes\n"
    "  lint ROOM.pac          list what will make the room look wrong, one line\n"
    "                         each: pictures of the wrong size or depth, colour\n"
    "                         tables other than the standard palette, masks that\n"
    "                         are not 1-bit, part pixels that are not black where\n"
    "                         the mask the preview draws them through (the day\n"
    "                         masks for the night views) is see-through; exit 1\n"
    "                         with findings\n"
    "  render ROOM.pac OUT [--night] [--door closed|half|open]\n"
    "         [--tbox closed|open] [--bed default|sleeping] [--letters]\n"
    "         [--format jpg|bmp|png]\n"
    "                         compose the room in that state (default: daytime,\n"
    "                         everything closed, bed default, no letters) and\n"
    "                         write it as JPEG (quality 80), 8-bit BMP or PNG;\n"
    "                         the format is --format, else the extension .jpg,\n"
    "                         .jpeg, .bmp or .png\n"
    "  import ROOM.pac SLOT PICTURE [-o OUT.pac] [--fit exact|contain|cover|crop]\n"
    "         [--dither none|fs|ordered] [--alpha N]\n"
    "                         convert a picture of any format (PNG, GIF, JPEG,\n"
    "                         BMP, WebP, TGA, ...) into slot 0-39 and write the\n"
    "                         room to OUT.pac, else ROOM.pac; a part's pixels\n"
    "                         with alpha below N (default 128) become black and\n"
    "                         see-through in its mask, the others room colours;\n"
    "                         into a mask, see-through or light pixels are white\n"
    "    --fit exact          the picture must have the slot's size (default)\n"
    "    --fit contain        scale it to fit inside the slot keeping its shape,\n"
    "                         in the middle; the rest is see-through\n"
    "    --fit cover          scale it to cover the slot keeping its shape; the\n"
    "                         middle is kept, the rest cut off\n"
    "    --fit crop           take it 1:1 at the top-left, cutting off what sticks\n"
    "                         out; what it does not cover is see-through\n"
    "                         (scaling averages the pixels each one covers;\n"
    "                         whole-number enlargements repeat them exactly)\n"
    "    --dither none        each pixel the nearest room colour (default)\n"
    "    --dither fs          Floyd-Steinberg error diffusion: gradients and\n"
    "                         photos as fine mixes of room colours\n"
    "    --dither ordered     a regular 8x8 (Bayer) pattern of room colours; each\n"
    "                         pixel on its own, so a change stays where it is\n"
    "                         (a picture of room colours keeps them under all\n"
    "                         three; masks are not dithered)\n"
    "    --alpha N            0-255: a pixel with alpha below N is see-through;\n"
    "                         0 ignores the picture's alpha (all drawn), 255\n"
    "                         draws only fully opaque pixels; what --fit leaves\n"
    "                         uncovered is always see-through\n"
    "  export ROOM.pac SLOT OUT.png|.bmp|.jpg\n"
    "                         write a slot in the format OUT's extension names:\n"
    "                         PNG, a part in RGBA, transparent where its mask\n"
    "                         is white, or a mask in black and white; BMP, the\n"
    "                         slot's own picture as extract writes it; JPEG,\n"
    "                         its colours at quality 80\n"
    "  thumbnail ROOM.pac OUT.png [--size N]\n"
    "                         write the daytime preview as PNG scaled to fit\n"
    "                         N x N (default 128, giving 128x96), for file\n"
    "                         managers\n"
    "  animate ROOM.pac OUT.gif|OUT.png|OUT.webp --sequence NAME[,NAME...]\n"
    "         [--night] [--door ...] [--tbox ...] [--bed ...] [--letters]\n"
    "         [--scale N] [--delay MS] [--hold MS] [--loop N] [--pingpong]\n"
    "                         an animation of the room passing through states,\n"
    "                         each frame exactly as render composes it: GIF,\n"
    "                         APNG or animated WebP by OUT's extension, in the\n"
    "                         room palette. Sequences: door (closed, half,\n"
    "                         open), time (day, night), tbox (closed, open),\n"
    "                         bed (default, sleeping), letters (off, on); each\n"
    "                         from the state the render options give, one after\n"
    "                         the other; --pingpong plays them back again\n"
    "                         without repeating the ends. --scale 1-8 enlarges\n"
    "                         every pixel to a square; --delay MS each frame\n"
    "                         (default 500), --hold MS the last one; --loop N\n"
    "                         plays N times, 0 for ever (the default)\n"
    "  sheet ROOM.pac OUT.png [--scale N] [--columns N] [--gap N] [--labels]\n"
    "         [--language CODE]\n"
    "                         the 48 states on one PNG, the last choice changing\n"
    "                         fastest: time, door, treasure box, bed, letters;\n"
    "                         tile i at column i mod N (default 6), row i div N,\n"
    "                         --gap white pixels between and around (default 8);\n"
    "                         --labels writes each state's name under its tile\n"
    "                         in the editor's language, or CODE's (en, ja)\n"
    "  export-layers ROOM.pac OUT.ora|OUT.aseprite\n"
    "                         write the room as one layered picture (OpenRaster\n"
    "                         or Aseprite): each part a layer at its place, named\n"
    "                         by its picture box, see-through where its mask is;\n"
    "                         the default state's layers visible\n"
    "  import-layers ROOM.pac IN.ora|IN.aseprite [-o OUT.pac]\n"
    "         [--dither none|fs|ordered] [--alpha N]\n"
    "                         replace every part a layer names (trimmed, any\n"
    "                         case), its mask from the layer's alpha as import\n"
    "                         takes it; layers that name no part and pixels\n"
    "                         outside a part's place are left out with a warning\n"
    "\n"
    "Exit codes: 0 success (check: accepted), 1 bad input or refused,\n"
    "2 wrong usage. Files are written whole or not at all.";

// The help with the program named as invoked, without the folder it was
// started from: "Usage: velmora-pac [options] ...".
QString HelpText(const QCommandLineParser& parser, const QCoreApplication& app)
{
    QString text = parser.helpText();
    const QString invoked = app.arguments().constFirst();
    QString name = QFileInfo(invoked).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    const qsizetype at = text.indexOf(invoked);
    if (!invoked.isEmpty() && at >= 0 && at < text.indexOf(QLatin1Char('\n')))
        text.replace(at, invoked.size(), name);
    return text;
}

int Run(QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption night(QStringLiteral("night"), QStringLiteral("render: nighttime"));
    const QCommandLineOption letters(QStringLiteral("letters"), QStringLiteral("render: show the letters and the bubble"));
    const QCommandLineOption door(QStringLiteral("door"), QStringLiteral("render: closed, half or open"),
                                  QStringLiteral("state"));
    const QCommandLineOption tbox(QStringLiteral("tbox"), QStringLiteral("render: closed or open"),
                                  QStringLiteral("state"));
    const QCommandLineOption bed(QStringLiteral("bed"), QStringLiteral("render: default or sleeping"),
                                 QStringLiteral("state"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("render: jpg, bmp or png"),
                                    QStringLiteral("format"));
    const QList<QCommandLineOption> renderOptions = {night, letters, door, tbox, bed, format};
    parser.addOptions(renderOptions);
    const QCommandLineOption encoding(QStringLiteral("encoding"),
                                      QStringLiteral("info, extract, pack: the encoding of the room's texts"),
                                      QStringLiteral("name"));
    parser.addOption(encoding);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("import: the room file to write"), QStringLiteral("file"));
    const QCommandLineOption fit(QStringLiteral("fit"), QStringLiteral("import: exact, contain, cover or crop"),
                                 QStringLiteral("fit"));
    const QCommandLineOption dither(QStringLiteral("dither"), QStringLiteral("import: none, fs or ordered"),
                                    QStringLiteral("dither"));
    const QCommandLineOption alpha(QStringLiteral("alpha"),
                                   QStringLiteral("import: alpha below N is see-through (0-255, default 128)"),
                                   QStringLiteral("N"));
    const QList<QCommandLineOption> importOptions = {output, fit, dither, alpha};
    const QCommandLineOption png(QStringLiteral("png"), QStringLiteral("extract: parts as PNG"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("thumbnail: the largest side in pixels"),
                                  QStringLiteral("N"));
    parser.addOptions(importOptions);
    parser.addOptions({png, size});
    const ShareOptions share(parser);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("default, info, extract, pack, check, lint, render, import, export, thumbnail, "
                                                "animate, sheet, export-layers or import-layers"));
    parser.addPositionalArgument(QStringLiteral("arguments"), QStringLiteral("the command's arguments"),
                                 QStringLiteral("[arguments...]"));
    if (!parser.parse(app.arguments()))
        UsageError(Local(parser.errorText()) + " (see --help)");
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(Local(HelpText(parser, app)).c_str(), stdout);
        return kSuccess;
    }
    if (parser.isSet(version)) {
        std::printf("velmora-pac %s\n", Local(app.applicationVersion()).c_str());
        return kSuccess;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        UsageError("no command given (see --help)");
    const QString name = args.takeFirst();
    for (const Command& c : kCommands) {
        if (name != QLatin1String(c.name))
            continue;
        if (args.size() != c.argumentCount)
            UsageError(std::string(c.name) + " takes " + c.arguments + " (see --help)");
        if (!(c.optionGroup & kRenderOptions))
            for (const QCommandLineOption& o : renderOptions)
                if (parser.isSet(o))
                    UsageError("--" + Local(o.names().first()) + " belongs to render (see --help)");
        if (!(c.optionGroup & kTextOptions) && parser.isSet(encoding))
            UsageError("--encoding belongs to info, extract and pack (see --help)");
        if (!(c.optionGroup & kImportOptions))
            for (const QCommandLineOption& o : importOptions)
                if (parser.isSet(o)) {
                    const QString name = o.names().first();
                    UsageError((name.size() == 1 ? "-" : "--") + Local(name) + " belongs to import (see --help)");
                }
        if (!(c.optionGroup & kPngOption) && parser.isSet(png))
            UsageError("--png belongs to extract (see --help)");
        if (!(c.optionGroup & kThumbnailOptions) && parser.isSet(size))
            UsageError("--size belongs to thumbnail (see --help)");
        share.checkFor(name, parser);
        Options o;
        o.encoding = parser.value(encoding);
        o.night = parser.isSet(night);
        o.letters = parser.isSet(letters);
        o.door = parser.value(door);
        o.tbox = parser.value(tbox);
        o.bed = parser.value(bed);
        o.format = parser.value(format);
        o.output = parser.value(output);
        o.fit = parser.value(fit);
        o.dither = parser.value(dither);
        o.alpha = parser.value(alpha);
        o.png = parser.isSet(png);
        o.size = parser.value(size);
        share.read(parser, o);
        return c.run(args, o);
    }
    UsageError("unknown command \"" + Local(name) + "\" (see --help)");
}

}  // namespace

int main(int argc, char* argv[])
{
    // Only the sheet's names need fonts; the rest starts without a platform.
    // Windows and macOS draw text without a display; X11 needs one.
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (NeedsFonts(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const std::unique_ptr<QCoreApplication> app =
        NeedsFonts(argc, argv) ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-pac"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    try {
        return Run(*app);
    } catch (const CliError& e) {
        const std::string file = e.file().isEmpty() ? std::string() : Local(e.file()) + ": ";
        PrintLocal(stderr, "velmora-pac: " + file + e.what() + "\n");
        return e.code();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-pac: %s\n", e.what());
        return kBadInput;
    }
}
