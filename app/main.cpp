// The editor's process entry: one application, one main window.
#include "mainform.h"
#include "program_icon.h"

#include <QApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        QApplication app(argc, argv);
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
        QApplication::setWindowIcon(velmora::ProgramIcon());
        try {
            velmora::TMainForm form;
            form.show();
            return app.exec();
        } catch (const std::exception& e) {
            velmora::WidgetPrompts(nullptr).error(QGuiApplication::applicationDisplayName(),
                                                  QString::fromUtf8(e.what()));
        }
    } catch (const std::exception& e) {
        // No application object to show a box with.
        fprintf(stderr, "Velmora: %s\n", e.what());
    }
    return 1;
}
