#include "core/set_planner.h"

#include <algorithm>
#include <compare>
#include <limits>

#include "core/language.h"
#include "core/time_text.h"

namespace vantoli {

namespace {

// What a plan (or the rest of one) costs, compared in the order of importance.
struct SetCost {
    int tapes = 0;
    int sideSplits = 0;
    int tapeSplits = 0;
    int minutes = 0;

    auto operator<=>(const SetCost&) const = default;
    SetCost operator+(const SetCost& other) const {
        return {tapes + other.tapes, sideSplits + other.sideSplits, tapeSplits + other.tapeSplits,
                minutes + other.minutes};
    }
};

constexpr SetCost NoPlan{std::numeric_limits<int>::max() / 4, 0, 0, 0};

struct FlatTrack {
    int album = 0;
    int track = 0;
    int seconds = 0;
};

// The set's tracks in order, with what a run of them takes on one side.
class TrackRun {
public:
    TrackRun(const std::vector<std::vector<int>>& albums, bool gap) : gap_(gap ? GapSeconds : 0) {
        for (int a = 0; a < static_cast<int>(albums.size()); ++a)
            for (int t = 0; t < static_cast<int>(albums[a].size()); ++t) tracks_.push_back({a, t, albums[a][t]});
        sums_.assign(tracks_.size() + 1, 0);
        for (std::size_t p = 0; p < tracks_.size(); ++p) sums_[p + 1] = sums_[p] + tracks_[p].seconds;
    }

    int size() const { return static_cast<int>(tracks_.size()); }
    const FlatTrack& operator[](int p) const { return tracks_[p]; }

    // Seconds tracks first..last-1 take on one side, the gaps between them included.
    long long seconds(int first, int last) const {
        if (last <= first) return 0;
        return sums_[last] - sums_[first] + static_cast<long long>(gap_) * (last - first - 1);
    }

    // Whether a boundary before track p falls inside an album.
    bool insideAlbum(int p) const { return p > 0 && p < size() && tracks_[p - 1].album == tracks_[p].album; }

private:
    int gap_;
    std::vector<FlatTrack> tracks_;
    std::vector<long long> sums_;
};

// The shortest tape of the lineup whose side holds `seconds`; the lineup's end when none does. The
// capacities of a usable lineup grow from tape to tape.
Lineup::const_iterator shortestHolding(const Lineup& lineup, long long seconds) {
    return std::lower_bound(lineup.begin(), lineup.end(), seconds,
                            [](const Tape& tape, long long wanted) { return tape.sideCapacity < wanted; });
}

SetSide sideOf(const TrackRun& run, int first, int last, bool gap) {
    SetSide side;
    int start = 0;
    for (int p = first; p < last; ++p) {
        side.tracks.push_back({run[p].album, run[p].track, run[p].seconds, start});
        start += run[p].seconds + (gap ? GapSeconds : 0);
    }
    side.seconds = static_cast<int>(run.seconds(first, last));
    return side;
}

}  // namespace

SetPlanResult planSet(const std::vector<std::vector<int>>& albums, bool gap, const Lineup& lineup) {
    const TrackRun run(albums, gap);
    const int n = run.size();
    if (n == 0 || !isUsableLineup(lineup)) return NothingToPlan{};
    const long long longestSide = lineup.back().sideCapacity;
    for (int p = 0; p < n; ++p)
        if (run[p].seconds > longestSide)
            return TrackTooLong{run[p].album, run[p].track, run[p].seconds, static_cast<int>(longestSide)};

    // best[i]: the cheapest way to put tracks i.. onto tapes, a tape starting at track i; sideEnd[i] and
    // tapeEnd[i] the first track after its side A and after its side B. Sides are tried from the
    // longest down and a choice replaces another only when it costs less, so among equal plans the
    // earlier sides are the fuller.
    std::vector<SetCost> best(n + 1, NoPlan);
    std::vector<int> sideEnd(n + 1, n), tapeEnd(n + 1, n);
    best[n] = {};
    for (int i = n - 1; i >= 0; --i) {
        int lastA = i + 1;
        while (lastA < n && run.seconds(i, lastA + 1) <= longestSide) ++lastA;
        for (int j = lastA; j > i; --j) {
            const long long sideA = run.seconds(i, j);
            int lastB = j;
            while (lastB < n && run.seconds(j, lastB + 1) <= longestSide) ++lastB;
            for (int k = lastB; k >= j; --k) {
                if (best[k] == NoPlan) continue;
                const auto tape = shortestHolding(lineup, std::max(sideA, run.seconds(j, k)));
                const int flipSplit = k > j && run.insideAlbum(j) ? 1 : 0;
                const int tapeSplit = run.insideAlbum(k) ? 1 : 0;
                const SetCost cost = best[k] + SetCost{1, flipSplit + tapeSplit, tapeSplit, tape->minutes};
                if (cost < best[i]) {
                    best[i] = cost;
                    sideEnd[i] = j;
                    tapeEnd[i] = k;
                }
            }
        }
    }

    SetPlan plan;
    for (int i = 0; i < n; i = tapeEnd[i]) {
        const int j = sideEnd[i], k = tapeEnd[i];
        const auto tape = shortestHolding(lineup, std::max(run.seconds(i, j), run.seconds(j, k)));
        plan.tapes.push_back({tape->minutes, tape->sideCapacity, sideOf(run, i, j, gap), sideOf(run, j, k, gap)});
    }
    plan.albumSplits = best[0].sideSplits;
    plan.tapeSplits = best[0].tapeSplits;
    plan.totalMinutes = best[0].minutes;
    return plan;
}

TrackList tracksOfSetTape(const SetTape& tape, const std::vector<TrackList>& albums)
{
    TrackList list;
    for (const SetSide* side : {&tape.sideA, &tape.sideB})
        for (const SetTrackPlace& place : side->tracks) {
            const bool known = place.album >= 0 && static_cast<std::size_t>(place.album) < albums.size();
            const TrackList* album = known ? &albums[place.album] : nullptr;
            if (album && list.tracks.empty()) {
                list.album = album->album;
                list.artist = album->artist;
            }
            Track track;
            if (album && place.track >= 0 && static_cast<std::size_t>(place.track) < album->tracks.size())
                track = album->tracks[place.track];
            else
                track.milliseconds = place.seconds * 1000LL;
            track.timeTyped = false;
            list.tracks.push_back(std::move(track));
        }
    return list;
}

TapePlan tapePlanOfSetTape(const SetTape& tape, bool gap)
{
    const auto blank = [&](const SetSide& side) {
        return side.tracks.empty() ? 0 : static_cast<int>(side.tracks.size() - 1) * (gap ? GapSeconds : 0);
    };
    const auto music = [](const SetSide& side) {
        int seconds = 0;
        for (const SetTrackPlace& place : side.tracks) seconds += place.seconds;
        return seconds;
    };
    TapePlan plan;
    plan.tapeMinutes = tape.minutes;
    plan.sideCapacity = tape.sideCapacity;
    const int countA = static_cast<int>(tape.sideA.tracks.size());
    const int count = countA + static_cast<int>(tape.sideB.tracks.size());
    for (int number = 1; number <= count; ++number) (number <= countA ? plan.sideA : plan.sideB).push_back(number);
    plan.sideATime = music(tape.sideA);
    plan.sideBTime = music(tape.sideB);
    plan.sideABlank = blank(tape.sideA);
    plan.sideBBlank = blank(tape.sideB);
    plan.totalBlank = plan.sideABlank + plan.sideBBlank;
    plan.lastA = countA - 1;
    plan.lastB = count - 1;
    return plan;
}

Message trackTooLongMessage(const TrackTooLong& failure, const std::string& albumTitle, const std::string& trackTitle) {
    const std::string name = trackTitle.empty() ? fill(_("%1 曲目"), {std::to_string(failure.track + 1)}) : trackTitle;
    const std::string album = albumTitle.empty() ? fill(_("アルバム %1"), {std::to_string(failure.album + 1)}) : albumTitle;
    return {_("複数のテープ"),
            fill(_("「%1」の「%2」は %3 あり、いちばん長いテープの片面(%4)に入りません。"),
                 {album, name, minutesSecondsText(failure.seconds), minutesSecondsText(failure.longestSide)}),
            MessageIcon::Exclamation};
}

}  // namespace vantoli
