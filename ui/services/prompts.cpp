#include "ui/services/prompts.h"

#include <algorithm>

#include <QFileDialog>
#include <QInputDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QTreeView>

namespace velmora {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

// What the file list needs to show name, size, type and date in full.
constexpr int kFileDialogListWidth = 760;
constexpr int kFileDialogHeight = 400;

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
        // The preview takes its width beside the list, not from it: the
        // dialog grows by it, so that sizes and the Type column stay whole.
        const int listWidth = std::max(dialog.sizeHint().width(), kFileDialogListWidth);
        // Size, type and date as wide as they need; the name takes the rest.
        if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
            QHeaderView* header = list->header();
            header->setStretchLastSection(false);
            header->setSectionResizeMode(0, QHeaderView::Stretch);
            for (int column = 1; column < header->count(); ++column)
                header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
            dialog.resize(listWidth + std::max(grid->horizontalSpacing(), 0) + preview->width(),
                          std::max(dialog.sizeHint().height(), kFileDialogHeight));
        }
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

bool WidgetPrompts::runDialog(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
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
