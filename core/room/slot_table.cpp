#include "core/room/slot_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace velmora {

namespace {

struct PartRow {
    std::string_view image;
    std::string_view mask;
    PartSize size;
    Placement placement;
};

constexpr std::array<PartRow, PartSlotTable::kPartCount> kParts = {{
    {"WinDayImage", "WinDayMask", {55, 83}, {79, 0, 133, 82}},
    {"WinNightImage", "WinNightMask", {55, 83}, {79, 0, 133, 82}},
    {"WinIOImage", "WinIOMask", {55, 83}, {79, 0, 133, 82}},
    {"DoorDayImage", "DoorDayMask", {80, 89}, {236, 35, 315, 123}},
    {"RoomImage", "RoomMask", {320, 240}, {0, 0, 320, 240}},
    {"DoorCloseImage", "DoorCloseMask", {65, 109}, {213, 44, 277, 152}},
    {"DoorHalfImage", "DoorHalfMask", {65, 109}, {213, 44, 277, 152}},
    {"DoorOpenImage", "DoorOpenMask", {65, 109}, {213, 44, 277, 152}},
    {"BedImage", "BedMask", {96, 76}, {105, 53, 200, 128}},
    {"BedSleepingImage", "BedSleepingMask", {96, 76}, {105, 53, 200, 128}},
    {"TBoxImage", "TBoxMask", {56, 60}, {51, 75, 106, 134}},
    {"TBoxOpenImage", "TBoxOpenMask", {56, 60}, {51, 75, 106, 134}},
    {"TableImage", "TableMask", {77, 50}, {142, 129, 218, 178}},
    {"PostImage", "PostMask", {50, 76}, {15, 159, 64, 234}},
    {"BubbleImage", "BubbleMask", {82, 71}, {247, 142, 319, 212}},
    {"BathImage", "BathMask", {61, 46}, {258, 171, 318, 216}},
    {"Letter1Image", "Letter1Mask", {25, 16}, {10, 183, 34, 198}},
    {"Letter2Image", "Letter2Mask", {27, 23}, {159, 131, 185, 153}},
    {"Letter3Image", "Letter3Mask", {25, 16}, {282, 95, 306, 110}},
    {"DoorNightImage", "DoorNightMask", {80, 89}, {236, 35, 315, 123}},
}};

// The parts that are states of one thing, shown one at a time.
constexpr std::array<std::array<int, 3>, 5> kStates = {{
    {slot::WinDayImage, slot::WinNightImage, slot::WinIOImage},
    {slot::DoorDayImage, slot::DoorNightImage, -1},
    {slot::DoorCloseImage, slot::DoorHalfImage, slot::DoorOpenImage},
    {slot::BedImage, slot::BedSleepingImage, -1},
    {slot::TBoxImage, slot::TBoxOpenImage, -1},
}};

const PartRow& Row(int slot)
{
    if (!PartSlotTable::IsValidSlot(slot))
        throw std::out_of_range("slot " + std::to_string(slot) + " is not 0 to 39");
    return kParts[static_cast<size_t>(PartSlotTable::PartOf(slot))];
}

}  // namespace

PartSize PartSlotTable::RequiredSize(int slot)
{
    return Row(slot).size;
}

Placement PartSlotTable::PlacementOf(int part)
{
    if (part < 0 || part >= kPartCount)
        throw std::out_of_range("part " + std::to_string(part) + " is not 0 to 19");
    return kParts[static_cast<size_t>(part)].placement;
}

std::vector<int> PartSlotTable::SiblingsOf(int slot)
{
    Row(slot);  // refuses a slot out of range
    const int part = PartOf(slot);
    std::vector<int> siblings;
    for (const auto& states : kStates) {
        if (std::find(states.begin(), states.end(), part) == states.end())
            continue;
        for (int state : states)
            if (state >= 0 && state != part)
                siblings.push_back(IsMask(slot) ? MaskOf(state) : state);
    }
    std::sort(siblings.begin(), siblings.end());
    return siblings;
}

std::string_view PartSlotTable::BoxName(int slot)
{
    const PartRow& r = Row(slot);
    return IsMask(slot) ? r.mask : r.image;
}

}  // namespace velmora
