#include "ui/widgets/fixed_dialog.h"

#include "ui/services/editor_context.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace velmora {

FixedDialog::FixedDialog(EditorContext& editor, QSize clientSize)
    : QDialog(editor.dialogParent(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      editor_(editor)
{
    setFont(DesignFont());
    setFixedSize(clientSize);
}

QPushButton* FixedDialog::addButton(const char* name, const QString& caption, const QRect& place)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    // Otherwise the dialog makes the first button its default, and Enter in
    // any other control would press it.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(place);
    return button;
}

void FixedDialog::runHandler(const std::function<void()>& handler)
{
    editor_.runCommand(handler);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Coming back from being minimised is no new showing.
    if (event->spontaneous())
        return;
    const QScreen* own = editor_.dialogParent() ? editor_.dialogParent()->screen() : nullptr;
    if (const QScreen* screen = own ? own : QGuiApplication::primaryScreen()) {
        // The frame is known here on most platforms; where it is not yet,
        // the client area is centred instead.
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // A labels list too short is shown, and the dialog opens with the texts
    // set so far.
    runHandler([this] { FormShow(); });
}

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget()); button && button->window() == this) {
            button->click();
            event->accept();
            return;
        }
        event->ignore();
        return;
    case Qt::Key_Escape:
        event->ignore();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

}  // namespace velmora
