// Drives a dialog that a command shows modally (exec), which would block a
// test otherwise: the action runs once the dialog is up, inside its loop.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace velmora::test {

struct ModalDrive {
    QPointer<QDialog> dialog;  // the dialog the action got
    bool timedOut = false;     // it had to be rejected by the watchdog
};

// Call before the command. `action` gets the dialog and should close it; a
// dialog still open after `timeoutMs` is rejected so a failing test ends
// instead of hanging.
inline std::shared_ptr<ModalDrive> WhenModalShown(std::function<void(QDialog*)> action, int timeoutMs = 10000)
{
    auto drive = std::make_shared<ModalDrive>();
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, drive, action = std::move(action)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        drive->dialog = dialog;
        action(dialog);
    });
    poll->start();
    QTimer::singleShot(timeoutMs, qApp, [drive, poll = QPointer<QTimer>(poll)] {
        QDialog* dialog = drive->dialog ? drive->dialog.data()
                                        : qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (poll)
            poll->deleteLater();
        if (dialog && dialog->isVisible()) {
            drive->timedOut = true;
            dialog->reject();
        }
    });
    return drive;
}

}  // namespace velmora::test
