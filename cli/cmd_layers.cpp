// The whole room as one layered picture: export-layers and import-layers.
#include "commands.h"
#include "pac_common.h"
#include "picture_io.h"

#include "core/layers/room_scene.h"
#include "layerfile/layered_file.h"

namespace velmora::pac {

int RunExportLayers(const QStringList& args, const Options&)
{
    if (!LayeredFormatOfName(args[1]))
        UsageError("cannot tell the format of \"" + Local(args[1]) + "\": name it .ora, .aseprite or .ase");
    const Room room = ReadRoom(args[0]);
    const Result<void> written = WriteLayeredFile(args[1], room.pictures);
    if (!written)
        Fail(written.failure());
    return kSuccess;
}

int RunImportLayers(const QStringList& args, const Options& options)
{
    if (!options.fit.isEmpty())
        UsageError("--fit belongs to import (see --help)");
    const ImportChoices choices = ParseImportChoices({}, options.dither, options.alpha);
    const QString out = options.output.isEmpty() ? args[0] : options.output;
    Room room = ReadRoom(args[0]);
    Result<Scene> scene = ReadLayeredFile(args[1]);
    if (!scene) {
        Failure failure = scene.failure();
        failure.subject = args[1];
        Fail(failure);
    }
    SceneCut cut;
    try {
        cut = CutScene(room.pictures, scene.value(), choices);
    } catch (const SceneError& e) {
        Fail(args[1], e.what());
    }
    for (const SceneWarning& w : cut.warnings)
        Warn(args[1], WarningText(w));
    room.pictures = std::move(cut.pictures);
    SaveRoom(out, room);
    return kSuccess;
}

}  // namespace velmora::pac
