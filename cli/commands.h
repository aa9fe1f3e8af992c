// The commands of velmora-pac. Each takes the arguments after the command
// name (their count already checked), returns the exit code, and reports a
// failure by throwing CliError.
#pragma once

#include <QString>
#include <QStringList>

namespace velmora::pac {

// The options after the command; empty strings mean "not given".
struct Options {
    // info, extract, pack: the encoding of room texts. Without it texts are
    // raw bytes; with it they are shown and written in the locale's encoding.
    QString encoding;
    // render: the preview state and the format.
    bool night = false;
    bool letters = false;
    QString door;
    QString tbox;
    QString bed;
    QString format;
    // import: the room file to write instead of ROOM.pac, and how the
    // picture is fitted, dithered and judged see-through.
    QString output;
    QString fit;
    QString dither;
    QString alpha;
    // extract: parts as PNG files with their transparency.
    bool png = false;
    // thumbnail: the largest side in pixels.
    QString size;
    // animate and sheet (with the render state for animate).
    QString sequence;
    QString scale;
    QString delay;
    QString hold;
    QString loop;
    bool pingpong = false;
    QString columns;
    QString gap;
    bool labels = false;
    QString language;
};

int RunDefault(const QStringList& args, const Options& options);  // OUT.pac
int RunInfo(const QStringList& args, const Options& options);     // ROOM.pac
int RunExtract(const QStringList& args, const Options& options);  // ROOM.pac DIR
int RunPack(const QStringList& args, const Options& options);     // DIR OUT.pac
int RunCheck(const QStringList& args, const Options& options);    // BMP SLOT
int RunLint(const QStringList& args, const Options& options);     // ROOM.pac
int RunRender(const QStringList& args, const Options& options);   // ROOM.pac OUT
int RunImport(const QStringList& args, const Options& options);   // ROOM.pac SLOT PICTURE
int RunExport(const QStringList& args, const Options& options);   // ROOM.pac SLOT OUT.png
int RunThumbnail(const QStringList& args, const Options& options);  // ROOM.pac OUT.png
int RunAnimate(const QStringList& args, const Options& options);    // ROOM.pac OUT.gif|.png|.webp
int RunSheet(const QStringList& args, const Options& options);      // ROOM.pac OUT.png
int RunExportLayers(const QStringList& args, const Options& options);  // ROOM.pac OUT.ora|.aseprite
int RunImportLayers(const QStringList& args, const Options& options);  // ROOM.pac IN.ora|.aseprite

}  // namespace velmora::pac
