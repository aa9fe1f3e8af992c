// The editor's process entry: one application, one main window.
#include "ui/mainform.h"
#include "ui/widgets/lazy_icon_style.h"
#include "ui/widgets/program_icon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // --startup-time: print how long the main window took to be shown, then quit.
    QElapsedTimer startup;
    startup.start();
    const bool reportStartup = argc > 1 && qstrcmp(argv[argc - 1], "--startup-time") == 0;
    if (reportStartup)
        --argc;
    try {
        QApplication app(argc, argv);
        QApplication::setStyle(new velmora::LazyIconStyle);
        // No application display name: Qt would append it to every title
        // ("Confirm — Velmora"), and the captions are the language file's.
        QApplication::setWindowIcon(velmora::ProgramIcon());
        try {
            velmora::TMainForm form;
            form.show();
            QTimer::singleShot(0, &form, [&form] {
                form.runCommand([&form] { form.offerRecovery(); });
                form.openFromCommandLine(QCoreApplication::arguments().mid(1));
            });
            if (reportStartup)
                QTimer::singleShot(0, &app, [&] {
                    std::printf("velmora: main window shown after %.1f ms\n", startup.nsecsElapsed() / 1e6);
                    app.quit();
                });
            return app.exec();
        } catch (const std::exception& e) {
            velmora::WidgetPrompts(nullptr).error(QStringLiteral("Velmora"), QString::fromUtf8(e.what()));
        }
    } catch (const std::exception& e) {
        // No application object to show a box with.
        fprintf(stderr, "Velmora: %s\n", e.what());
    }
    return 1;
}
