// The options of animate and sheet, kept beside their commands so that
// main() only adds them to its parser and hands their values on.
#pragma once

#include "commands.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

namespace velmora::pac {

class ShareOptions {
public:
    // Adds --sequence, --scale, --delay, --hold, --loop, --pingpong,
    // --columns, --gap, --labels and --language to the parser.
    explicit ShareOptions(QCommandLineParser& parser);
    // Wrong usage when one is given to a command it does not belong to.
    void checkFor(const QString& command, const QCommandLineParser& parser) const;
    void read(const QCommandLineParser& parser, Options& options) const;

private:
    QCommandLineOption sequence_, scale_, delay_, hold_, loop_, pingpong_, columns_, gap_, labels_, language_;
};

// sheet --labels draws text, which needs a QGuiApplication: true when the
// arguments ask for it.
bool NeedsFonts(int argc, char** argv);

}  // namespace velmora::pac
