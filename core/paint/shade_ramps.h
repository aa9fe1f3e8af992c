// The shade ink's ramps through the room palette. The colour cube shades
// along its grey diagonal: a step lighter takes each of red, green and blue
// one level of the cube nearer to 255 (a level that is there already stays),
// a step darker one level nearer to 0, so a colour keeps its hue and ends in
// white or black. The red, green, blue and grey ramps shade along
// themselves; the grey ramp runs on into white and black, so greys, the
// cube's white and black are one ramp too.
#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// Each room index's next step lighter, and darker; an end of a ramp stays.
const std::array<uint8_t, 256>& LighterSteps();
const std::array<uint8_t, 256>& DarkerSteps();

}  // namespace velmora
