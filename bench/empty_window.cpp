// The anchor for the editor's start-up: an empty Qt main window of the
// editor's size, shown, timed the way `velmora --startup-time` times itself.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QElapsedTimer startup;
    startup.start();
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(618, 462);
    window.show();
    QTimer::singleShot(0, &app, [&] {
        std::printf("empty window shown after %.1f ms\n", startup.nsecsElapsed() / 1e6);
        app.quit();
    });
    return app.exec();
}
