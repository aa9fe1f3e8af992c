// Seeds of the layered pictures' readers: the default room as each format
// writes it, and small files in the shapes other programs write (groups,
// hidden layers, layers at offsets, an indexed Aseprite file with the old
// palette chunk).
#include "layerfile/ase_file.h"
#include "layerfile/layered_file.h"
#include "layerfile/zip_archive.h"

#include "core/room/default_room.h"

#include <filesystem>
#include <string>

using namespace velmora;
namespace fs = std::filesystem;
using SaveFn = void (*)(const fs::path&, const std::string&, const std::vector<uint8_t>&);

namespace {

std::vector<uint8_t> Text(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

Scene SmallScene()
{
    Scene scene;
    SceneLayer bed;
    bed.name = "BedImage";
    bed.x = 104;
    bed.y = 52;
    bed.picture = RgbaPicture{2, 2, {255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 128, 1, 2, 3, 255}};
    SceneLayer notes = bed;
    notes.name = "Notes";
    notes.visible = false;
    notes.x = -1;
    scene.layers = {bed, notes};
    return scene;
}

}  // namespace

void MakeLayeredSeeds(const fs::path& root, SaveFn SaveSeed)
{
    const RoomPictures room = DefaultRoomPictures();
    SaveSeed(root / "read_ora", "default.ora", EncodeLayeredFile(room, LayeredFormat::OpenRaster));
    SaveSeed(root / "read_ase", "default.aseprite", EncodeLayeredFile(room, LayeredFormat::Aseprite));
    SaveSeed(root / "read_ase", "small.aseprite", WriteAse(SmallScene()));

    // Two layers in a group, each a 1x1 PNG taken from a small file of ours.
    const std::vector<uint8_t> png = [] {
        const std::vector<uint8_t> small = EncodeLayeredFile(DefaultRoomPictures(), LayeredFormat::OpenRaster);
        ZipReader zip(small, 64);
        int smallest = -1;
        for (size_t i = 0; i < zip.entries().size(); ++i)
            if (zip.entries()[i].name.rfind("data/", 0) == 0 &&
                (smallest < 0 || zip.entries()[i].size < zip.entries()[size_t(smallest)].size))
                smallest = int(i);
        return zip.read(smallest, 1 << 20);
    }();
    const std::string stack = "<?xml version='1.0' encoding='UTF-8'?>\n<image version=\"0.0.3\" w=\"320\" h=\"240\">"
                              "<stack><stack x=\"100\" y=\"50\" name=\"Group\" visibility=\"hidden\">"
                              "<layer name=\" bedimage\" src=\"data/a.png\" x=\"5\" y=\"3\" opacity=\"0.5\"/></stack>"
                              "<layer name=\"WinDayImage\" src=\"data/b.png\" x=\"78\" y=\"-1\" "
                              "composite-op=\"svg:multiply\"/></stack></image>";
    SaveSeed(root / "read_ora", "small-groups.ora",
             WriteZip({{"mimetype", Text("image/openraster"), true},
                       {"stack.xml", Text(stack), true},
                       {"data/a.png", png, true},
                       {"data/b.png", png, false}}));
}
