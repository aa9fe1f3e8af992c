#include "ui/services/prompts.h"

#include <algorithm>

#include <QFileDialog>
#include <QInputDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>

namespace velmora {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

// Configures a dialog from the settings shared by open and save.
void Configure(QFileDialog& dialog, const FileDialogSettings& settings)
{
    if (!settings.title.isEmpty())
        dialog.setWindowTitle(settings.title);
    if (!settings.filters.isEmpty()) {
        dialog.setNameFilters(settings.filters);
        if (settings.selectedFilter >= 0 && settings.selectedFilter < settings.filters.size())
            dialog.selectNameFilter(settings.filters.at(settings.selectedFilter));
    }
    dialog.setDefaultSuffix(settings.defaultSuffix);
    if (!settings.startName.isEmpty())
        dialog.selectFile(settings.startName);
    if (settings.picturePreview) {
        // The toolkit's own dialog can show a preview; ours shows the chosen picture beside the list.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* preview = new QLabel(&dialog);
        preview->setFixedSize(160, 120);
        preview->setAlignment(Qt::AlignCenter);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            const QPixmap picture(path);
            preview->setPixmap(picture.isNull() ? QPixmap()
                                                : picture.scaled(preview->size(), Qt::KeepAspectRatio));
        });
    }
}

}  // namespace

void WidgetPrompts::warning(const QString& caption, const QString& text)
{
    ShowBox(parent_, QMessageBox::Warning, caption, text);
}

bool WidgetPrompts::question(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void WidgetPrompts::error(const QString& caption, const QString& text)
{
    ShowBox(parent_, QMessageBox::Critical, caption, text);
}

std::optional<QString> WidgetPrompts::openFile(const FileDialogSettings& settings)
{
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Configure(dialog, settings);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<int> WidgetPrompts::chooseItem(const QString& caption, const QStringList& items, int current)
{
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent_, caption, QString(), items, current, /*editable=*/false, &ok);
    if (!ok)
        return std::nullopt;
    return static_cast<int>(items.indexOf(chosen));
}

std::optional<SaveFileChoice> WidgetPrompts::saveFile(const FileDialogSettings& settings)
{
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
    Configure(dialog, settings);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
        const QFileInfo info(path);
        if (settings.refuseReadOnly && info.exists() && !info.isWritable()) {
            ShowBox(&dialog, QMessageBox::Warning, dialog.windowTitle(),
                    QFileDialog::tr("%1 is write-protected.").arg(QDir::toNativeSeparators(path)));
            continue;
        }
        return SaveFileChoice{path, static_cast<int>(std::max<qsizetype>(0, settings.filters.indexOf(dialog.selectedNameFilter())))};
    }
}

}  // namespace velmora
