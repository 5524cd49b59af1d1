#include "core/tape_lineup.h"

namespace vantoli {

const Lineup& standardLineup()
{
    static const Lineup lineup = [] {
        Lineup tapes;
        for (int minutes : TapeLineup) tapes.push_back({minutes, sideCapacity(minutes)});
        return tapes;
    }();
    return lineup;
}

bool isUsableLineup(const Lineup& lineup)
{
    if (lineup.empty()) return false;
    const Tape* previous = nullptr;
    for (const Tape& tape : lineup) {
        if (tape.minutes < ShortestTapeMinutes || tape.minutes > LongestTapeMinutes) return false;
        if (tape.sideCapacity < 1 || tape.sideCapacity > LargestSideCapacity) return false;
        if (previous && (tape.minutes <= previous->minutes || tape.sideCapacity <= previous->sideCapacity))
            return false;
        previous = &tape;
    }
    return true;
}

}  // namespace vantoli
