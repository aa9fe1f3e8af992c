// The states a shared picture shows: the sequences an animation plays and
// the every-state order of the sheet.
#pragma once

#include "core/render/compose.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace velmora {

// One choice of the room passing through its values, the others held.
enum class Sequence { Door, Time, TBox, Bed, Letters };

// The sequence of a name as velmora-pac takes it ("door", "time", "tbox",
// "bed", "letters"); nullopt for any other.
std::optional<Sequence> SequenceNamed(std::string_view name);
const char* NameOf(Sequence sequence);
inline constexpr Sequence kAllSequences[] = {Sequence::Door, Sequence::Time, Sequence::TBox, Sequence::Bed,
                                             Sequence::Letters};

// The states of the sequences one after the other, each starting from
// `base` with only its own choice changing (door: closed, half, open). With
// `pingpong` the whole run plays back again without repeating its ends, so
// that a loop never shows the same picture twice in a row (door: closed,
// half, open, half).
std::vector<PreviewState> SequenceStates(std::span<const Sequence> sequences, const PreviewState& base,
                                         bool pingpong);

// Every state, 48: time (day, night), door (closed, half, open), treasure
// box (closed, open), bed (default, sleeping), letters and bubble (off, on),
// the last changing fastest.
constexpr int kStateCount = 48;
std::vector<PreviewState> EveryState();

}  // namespace velmora
