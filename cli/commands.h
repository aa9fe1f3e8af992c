// The commands of velmora-pac. Each takes the arguments after the command
// name (their count already checked), returns the exit code, and reports a
// failure by throwing CliError.
#pragma once

#include <QString>
#include <QStringList>

namespace velmora::pac {

int RunDefault(const QStringList& args);  // OUT.pac
int RunInfo(const QStringList& args);     // ROOM.pac
int RunExtract(const QStringList& args);  // ROOM.pac DIR
int RunPack(const QStringList& args);     // DIR OUT.pac
int RunCheck(const QStringList& args);    // BMP SLOT
int RunLint(const QStringList& args);     // ROOM.pac

// The preview state and format for render; empty strings mean "not given".
struct RenderOptions {
    bool night = false;
    bool letters = false;
    QString door;
    QString tbox;
    QString bed;
    QString format;
};
int RunRender(const QStringList& args, const RenderOptions& options);  // ROOM.pac OUT

}  // namespace velmora::pac
