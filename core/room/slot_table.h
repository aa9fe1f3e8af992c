// The forty picture slots of a room: names, required sizes and placements.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora {

struct PartSize {
    int32_t width;
    int32_t height;
    friend bool operator==(const PartSize&, const PartSize&) = default;
};

// Room pixel coordinates. Right and Bottom name the last column and row the
// part covers, except for the room (one past) and the bubble (Right is 319).
struct Placement {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// The forty slots by name: part picture k, and its mask k + 20.
namespace slot {
enum Slot : int {
    WinDayImage = 0,
    WinNightImage,
    WinIOImage,
    DoorDayImage,
    RoomImage,
    DoorCloseImage,
    DoorHalfImage,
    DoorOpenImage,
    BedImage,
    BedSleepingImage,
    TBoxImage,
    TBoxOpenImage,
    TableImage,
    PostImage,
    BubbleImage,
    BathImage,
    Letter1Image,
    Letter2Image,
    Letter3Image,
    DoorNightImage,
    WinDayMask = 20,
    WinNightMask,
    WinIOMask,
    DoorDayMask,
    RoomMask,
    DoorCloseMask,
    DoorHalfMask,
    DoorOpenMask,
    BedMask,
    BedSleepingMask,
    TBoxMask,
    TBoxOpenMask,
    TableMask,
    PostMask,
    BubbleMask,
    BathMask,
    Letter1Mask,
    Letter2Mask,
    Letter3Mask,
    DoorNightMask,
};
}  // namespace slot

class PartSlotTable {
public:
    static constexpr int kSlotCount = 40;
    static constexpr int kPartCount = 20;
    static constexpr int kRoomWidth = 320;
    static constexpr int kRoomHeight = 240;

    static constexpr bool IsValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
    static constexpr bool IsMask(int slot) { return slot >= kPartCount; }
    static constexpr int MaskOf(int part) { return part + kPartCount; }
    static constexpr int PartOf(int slot) { return slot >= kPartCount ? slot - kPartCount : slot; }
    // The mask the preview draws part k through: its own, except that the
    // night views share the day views' masks (their own masks go unused).
    static constexpr int DrawMaskOf(int part)
    {
        return part == slot::WinNightImage    ? slot::WinDayMask
               : part == slot::DoorNightImage ? slot::DoorDayMask
                                              : MaskOf(part);
    }

    // The slots of the other states of the part `slot` shows, of its kind
    // (pictures for a picture, masks for a mask), in slot order: the door
    // half open's are the door closed and open. Same size and placement as
    // `slot`; none for a part of one state.
    static std::vector<int> SiblingsOf(int slot);

    // Required width and height of any slot (a mask takes its part's size).
    static PartSize RequiredSize(int slot);
    // Placement rectangle of part k (0..19), as stored.
    static Placement PlacementOf(int part);
    // Picture-box name of a slot: "BedImage" for 8, "BedMask" for 28.
    static std::string_view BoxName(int slot);
};

}  // namespace velmora
