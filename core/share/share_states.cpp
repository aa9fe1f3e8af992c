#include "core/share/share_states.h"

namespace velmora {

namespace {

struct Named {
    Sequence sequence;
    const char* name;
};
constexpr Named kNames[] = {{Sequence::Door, "door"}, {Sequence::Time, "time"}, {Sequence::TBox, "tbox"},
                            {Sequence::Bed, "bed"},   {Sequence::Letters, "letters"}};

void AppendSequence(Sequence sequence, PreviewState state, std::vector<PreviewState>& out)
{
    switch (sequence) {
    case Sequence::Door:
        for (DoorState door : {DoorState::Closed, DoorState::HalfOpen, DoorState::Open}) {
            state.door = door;
            out.push_back(state);
        }
        return;
    case Sequence::Time:
        for (bool v : {false, true}) {
            state.night = v;
            out.push_back(state);
        }
        return;
    case Sequence::TBox:
        for (bool v : {false, true}) {
            state.treasureBoxOpen = v;
            out.push_back(state);
        }
        return;
    case Sequence::Bed:
        for (bool v : {false, true}) {
            state.bedSleeping = v;
            out.push_back(state);
        }
        return;
    case Sequence::Letters:
        for (bool v : {false, true}) {
            state.lettersAndBubble = v;
            out.push_back(state);
        }
        return;
    }
}

}  // namespace

std::optional<Sequence> SequenceNamed(std::string_view name)
{
    for (const Named& n : kNames)
        if (name == n.name)
            return n.sequence;
    return std::nullopt;
}

const char* NameOf(Sequence sequence)
{
    for (const Named& n : kNames)
        if (n.sequence == sequence)
            return n.name;
    return "";
}

std::vector<PreviewState> SequenceStates(std::span<const Sequence> sequences, const PreviewState& base,
                                         bool pingpong)
{
    std::vector<PreviewState> states;
    for (Sequence s : sequences)
        AppendSequence(s, base, states);
    const size_t ends = states.size();
    if (pingpong && ends > 2)
        for (size_t i = ends - 2; i >= 1; --i)
            states.push_back(states[i]);
    return states;
}

std::vector<PreviewState> EveryState()
{
    std::vector<PreviewState> states;
    states.reserve(kStateCount);
    for (bool night : {false, true})
        for (DoorState door : {DoorState::Closed, DoorState::HalfOpen, DoorState::Open})
            for (bool tbox : {false, true})
                for (bool bed : {false, true})
                    for (bool letters : {false, true})
                        states.push_back(PreviewState{night, door, tbox, bed, letters});
    return states;
}

}  // namespace velmora
