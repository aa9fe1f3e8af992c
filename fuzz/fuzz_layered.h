// What the layered pictures' fuzz targets check of a reader on any bytes: it
// refuses with one line, or gives layers whose pixels match their sizes
// within the limits, which cut into a room without a fault when the canvas
// is the room's.
#pragma once

#include "fuzz/fuzz_check.h"
#include "layerfile/layer_limits.h"
#include "layerfile/zip_archive.h"

#include "core/layers/room_scene.h"
#include "core/room/default_room.h"

#include <span>

namespace velmora {

inline int CheckLayeredRead(Scene (*read)(std::span<const uint8_t>), const uint8_t* data, size_t size)
{
    static const RoomPictures room = DefaultRoomPictures();
    Scene scene;
    try {
        scene = read(std::span(data, size));
    } catch (const LayeredFileError& e) {
        const std::string what = e.what();
        FUZZ_CHECK(!what.empty() && what.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(scene.layers.size() <= kLayeredMaxLayers);
    int64_t pixels = 0;
    for (const SceneLayer& l : scene.layers) {
        FUZZ_CHECK(l.picture.pixels.size() == size_t(l.picture.width) * size_t(l.picture.height) * 4);
        FUZZ_CHECK(l.picture.width <= kLayeredMaxSide && l.picture.height <= kLayeredMaxSide);
        pixels += int64_t(l.picture.width) * l.picture.height;
    }
    FUZZ_CHECK(pixels <= kLayeredMaxPixels);
    if (scene.width == PartSlotTable::kRoomWidth && scene.height == PartSlotTable::kRoomHeight) {
        const SceneCut cut = CutScene(room, scene, ImportChoices{});
        for (int slot : cut.changedSlots)
            FUZZ_CHECK(cut.pictures[size_t(slot)].width == PartSlotTable::RequiredSize(slot).width);
    }
    return 0;
}

}  // namespace velmora
