// File > Export layered picture and Import layered picture: the whole room
// as one OpenRaster or Aseprite file, each part a layer at its place, and
// such a file cut back into the parts as one step.
#include "ui/mainform.h"

#include "layerfile/layered_file.h"
#include "ui/dialogs/import_layers_form.h"
#include "ui/services/error_texts.h"
#include "ui/services/language_lines.h"

#include <QAction>
#include <QFileInfo>

#include <algorithm>

namespace velmora {

FileDialogSettings TMainForm::exportLayersDialog() const
{
    FileDialogSettings dialog;
    dialog.filters = {QStringLiteral("OpenRaster (*.ora)"), QStringLiteral("Aseprite (*.aseprite *.ase)")};
    dialog.defaultSuffix = QStringLiteral("ora");
    dialog.overwritePrompt = true;
    dialog.refuseReadOnly = true;
    const QString room = document_->filePath();
    dialog.startName = (room.isEmpty() ? QStringLiteral("room") : QFileInfo(room).completeBaseName()) +
                       QStringLiteral(".ora");
    return dialog;
}

FileDialogSettings TMainForm::importLayersDialog() const
{
    FileDialogSettings dialog;
    dialog.filters = {TextOf(texts_, Text::LayeredFileType) + QStringLiteral(" (*.ora *.aseprite *.ase)"),
                      TextOf(texts_, Text::AllFilesFileType) + QStringLiteral(" (*)")};
    return dialog;
}

void TMainForm::ExportLayersClick()
{
    if (const std::optional<SaveFileChoice> choice = prompts_->saveFile(exportLayersDialog())) {
        // A name of either kind says the format; any other name is the
        // user's business, and the chosen filter says it.
        const LayeredFormat format = LayeredFormatOfName(choice->path).value_or(
            choice->filterIndex == 1 ? LayeredFormat::Aseprite : LayeredFormat::OpenRaster);
        exportLayers(choice->path, format);
    }
}

void TMainForm::exportLayers(const QString& path, LayeredFormat format)
{
    if (const Result<void> written = WriteLayeredFile(path, document_->pictures(), format); !written)
        showFailure(Attempt::ExportLayers, written.failure());
}

void TMainForm::ImportLayersClick()
{
    if (const std::optional<QString> path = prompts_->openFile(importLayersDialog()))
        importLayers(*path);
}

void TMainForm::importLayers(const QString& path)
{
    Result<Scene> scene = ReadLayeredFile(path);
    if (!scene) {
        Failure failure = scene.failure();
        failure.subject = path;
        showFailure(Attempt::ImportLayers, failure);
        return;
    }
    if (scene->width != PartSlotTable::kRoomWidth || scene->height != PartSlotTable::kRoomHeight) {
        showFailure(Attempt::ImportLayers,
                    Failure{FailureKind::Damaged,
                            FillLine(TextOf(texts_, Text::CanvasNotRoom),
                                     {QString::number(scene->width), QString::number(scene->height)}),
                            path});
        return;
    }
    const std::vector<SceneLayer>& layers = scene->layers;
    if (std::none_of(layers.begin(), layers.end(), [](const SceneLayer& l) { return PartNamed(l.name) >= 0; })) {
        showFailure(Attempt::ImportLayers,
                    Failure{FailureKind::Damaged, TextOf(texts_, Text::NoLayerNamesAPart), path});
        return;
    }
    TImportLayersForm form(*this, std::move(scene).value(), StepName(ImportLayers->text()));
    prompts_->runDialog(form);
}

}  // namespace velmora
