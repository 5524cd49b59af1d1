#include "core/exact_planner.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>

namespace vantoli {

// How the exact planner works.
//
// Fold the gap into every track: a track weighs its seconds plus one gap, w[i] = t[i] + gap. A side of
// m > 0 tracks then uses the sum of their weights less one gap, so with x the weight of side A and W
// the weight of all tracks, both sides fit a capacity C exactly when W - C - gap <= x <= C + gap (an
// empty side has x = 0 or x = W, and the same bounds hold for it). The bounds lie symmetric around
// W / 2, so the side difference shrinks as x nears the middle.
//
// 1. Which tape: the side-A weights reachable with at most SideATrackLimit tracks, one bit per second
//    (one bitset per track count when the limit can bind), give the shortest tape at once: the first
//    whose bounds hold a reachable weight.
// 2. Which split on that tape. A split's tracks out of place are the smallest, over the cuts c, of
//    (tracks on B before c) + (tracks on A from c on). Two programmes find the fewest:
//    - First with side A's limit left aside (20 tracks or fewer, as in the Run command, cannot break
//      it). Going through the tracks in disc order, each state is before the cut (phase 0) or after
//      it (phase 1); a B track costs 1 in phase 0, an A track costs 1 in phase 1, and the cut may be
//      passed between any two tracks. The programme is built in layers of cost k = 0, 1, 2, ... until the last step of
//      a layer reaches a weight within the tape's bounds; that k is the fewest tracks out of place.
//        Z[k][i]: the weights of the first i tracks in phase 0 with exactly k of them on B;
//        Y[k][i]: the weights in phase 1 with cost exactly k.
//      Size: 2 (k + 1) (n + 1) bitsets of C + gap + 1 bits, k the fewest tracks out of place; each
//      step is a shift and an or.
//    - When the best split found that way has more than 20 tracks on side A (a long disc of many
//      short tracks): states by count of A tracks, see CountSearch. Size: (n + 1) (20 + 1) bands of at
//      most C + gap + 1 bytes, narrowed to the weights the state can have.
// 3. Among the final weights within the bounds, the one nearest W / 2 gives the smallest side
//    difference; of x and W - x the larger makes side A the longer. The split is read back from the
//    last track to the first: a track goes to side B whenever the tables still admit a split with
//    the same tracks out of place and weight, which puts the later tracks on side B.

namespace {

using Word = std::uint64_t;
constexpr int WordBits = 64;

int wordsFor(int bits) { return (bits + WordBits - 1) / WordBits; }

bool testBit(const Word* row, int x) { return (row[x / WordBits] >> (x % WordBits)) & 1U; }

void setBit(Word* row, int x) { row[x / WordBits] |= Word{1} << (x % WordBits); }

// dst |= src << shift over the first `words` words of dst; what is shifted past them is dropped.
void orShifted(Word* dst, const Word* src, int shift, int words)
{
    const int q = shift / WordBits;
    const int r = shift % WordBits;
    if (q >= words) return;
    if (r == 0) {
        for (int j = words - 1; j >= q; --j) dst[j] |= src[j - q];
        return;
    }
    for (int j = words - 1; j > q; --j) dst[j] |= (src[j - q] << r) | (src[j - q - 1] >> (WordBits - r));
    dst[q] |= src[0] << r;
}

void orInto(Word* dst, const Word* src, int words)
{
    for (int j = 0; j < words; ++j) dst[j] |= src[j];
}

// Whether any of bits first..last (inclusive, within the row) is set.
bool anyInRange(const Word* row, int first, int last)
{
    for (int x = first; x <= last;) {
        const int word = x / WordBits;
        const int bit = x % WordBits;
        const int end = std::min(last, (word + 1) * WordBits - 1);
        const int span = end - x + 1;
        const Word mask = span == WordBits ? ~Word{0} : ((Word{1} << span) - 1) << bit;
        if (row[word] & mask) return true;
        x = end + 1;
    }
    return false;
}

// The A option of one step over count cells: a state the track joins keeps the larger gain; cells
// hold gain + 1 and 0 for none. The pointers never overlap (rows of different counts or steps).
// Blocks of 16 cells let the compiler use vector instructions without a cost model of its own.
void joinSideA(std::uint8_t* __restrict out, const std::uint8_t* __restrict in, int count, std::uint8_t term)
{
    constexpr int Block = 16;
    int k = 0;
    for (; k + Block <= count; k += Block) {
        std::uint8_t* __restrict o = out + k;
        const std::uint8_t* __restrict g = in + k;
        for (int b = 0; b < Block; ++b) o[b] = std::max(o[b], g[b] ? std::max(g[b], term) : std::uint8_t{0});
    }
    for (; k < count; ++k) out[k] = std::max(out[k], in[k] ? std::max(in[k], term) : std::uint8_t{0});
}

int blankOf(int trackCount, int gap) { return trackCount > 0 ? (trackCount - 1) * gap : 0; }

// The layered programme for one tape, which leaves side A's track limit aside: weights w, bounds
// lo..hi (0 <= hi <= W).
class CutSearch {
public:
    CutSearch(const std::vector<int>& weights, int lo, int hi)
        : w_(weights),
          n_(static_cast<int>(weights.size())),
          lo_(std::max(0, lo)),
          hi_(hi),
          words_(wordsFor(hi + 1))
    {
        reach_.assign(n_ + 1, 0);
        long long sum = 0;
        for (int i = 0; i <= n_; ++i) {
            reach_[i] = static_cast<int>(std::min<long long>(sum, hi_));
            if (i < n_) sum += w_[i];
        }
    }

    // Adds the layer of the next cost; true when its last step reaches a weight within the bounds.
    bool addLayer()
    {
        const int k = static_cast<int>(layers_.size());
        layers_.emplace_back();
        Layer& layer = layers_.back();
        const Layer* below = k > 0 ? &layers_[k - 1] : nullptr;
        fillPhase0(layer, below, k);
        fillPhase1(layer, below);
        return lo_ <= hi_ && anyInRange(row(layer.phase1, n_), lo_, hi_);
    }

    // The weights of side A within the bounds that the last layer reaches.
    std::vector<int> finalWeights() const
    {
        std::vector<int> found;
        for (int x = lo_; x <= hi_; ++x)
            if (testBit(row(layers_.back().phase1, n_), x)) found.push_back(x);
        return found;
    }

    // The split of weight x with the fewest tracks out of place, later tracks on side B.
    std::vector<char> readBack(int x) const
    {
        std::vector<char> onA(n_, 0);
        int alpha = 0;  // A tracks among those decided: the cost of a cut before all of them
        int beta = 0;   // the least cost of the decided tracks over cuts among them
        for (int i = n_ - 1; i >= 0; --i) {
            const int betaIfB = std::min(alpha, beta + 1);
            if (admits(i, x, alpha, betaIfB)) {
                beta = betaIfB;
                continue;
            }
            onA[i] = 1;
            x -= w_[i];
            beta = std::min(alpha + 1, beta);
            ++alpha;
        }
        return onA;
    }

private:
    struct Layer {
        std::vector<Word> phase0;  // Z: (n + 1) rows of words_
        std::vector<Word> phase1;  // Y: (n + 1) rows of words_
    };

    Word* row(std::vector<Word>& table, int i) const { return table.data() + static_cast<std::size_t>(i) * words_; }
    const Word* row(const std::vector<Word>& table, int i) const
    {
        return table.data() + static_cast<std::size_t>(i) * words_;
    }

    // Words of a row that can hold a weight of the first i tracks.
    int rowWords(int i) const { return wordsFor(reach_[i] + 1); }

    // Z[k]: before the cut, exactly k of the first i tracks on side B.
    void fillPhase0(Layer& layer, const Layer* below, int k)
    {
        layer.phase0.assign(static_cast<std::size_t>(n_ + 1) * words_, 0);
        if (k == 0) setBit(row(layer.phase0, 0), 0);
        for (int i = 0; i < n_; ++i) {
            const int onA = i + 1 - k;
            if (onA < 0) continue;
            Word* to = row(layer.phase0, i + 1);
            if (onA > 0) orShifted(to, row(layer.phase0, i), w_[i], rowWords(i + 1));  // track i on A
            if (below) orInto(to, row(below->phase0, i), rowWords(i));                 // track i on B
        }
    }

    // Y[k]: after the cut, cost exactly k.
    void fillPhase1(Layer& layer, const Layer* below)
    {
        layer.phase1.assign(static_cast<std::size_t>(n_ + 1) * words_, 0);
        orInto(row(layer.phase1, 0), row(layer.phase0, 0), words_);
        for (int i = 0; i < n_; ++i) {
            Word* to = row(layer.phase1, i + 1);
            const int words = rowWords(i + 1);
            orInto(to, row(layer.phase1, i), rowWords(i));                  // track i on B
            if (below) orShifted(to, row(below->phase1, i), w_[i], words);  // track i on A
            orInto(to, row(layer.phase0, i + 1), words);                    // the cut after it
        }
    }

    // The first i tracks can be completed to weight x so that, with the decided tracks after them
    // (alpha and beta as in readBack), the split keeps to the fewest tracks out of place.
    bool admits(int i, int x, int alpha, int beta) const
    {
        if (x < 0 || x > reach_[i]) return false;
        const int best = static_cast<int>(layers_.size()) - 1;
        // The cut lies among the first i tracks: their cost plus the A tracks decided after them.
        for (int k = 0; k <= best - alpha; ++k)
            if (testBit(row(layers_[k].phase1, i), x)) return true;
        // The cut lies among the decided tracks: the first i tracks all before it.
        for (int k = 0; k <= best - beta && k <= i; ++k)
            if (testBit(row(layers_[k].phase0, i), x)) return true;
        return false;
    }

    std::vector<int> w_;
    int n_;
    int lo_;
    int hi_;
    int words_;
    std::vector<int> reach_;  // the largest weight the first i tracks can reach, at most hi
    std::vector<Layer> layers_;
};

// The programme for lists longer than side A's limit, over the count j of A tracks and their weight
// x. A split's tracks out of place are j less its gain: a cut right after the m-th A track (slot a)
// leaves (a + 1 - m) B tracks before it and j - m A tracks after it, so the best cut saves
// gain = max(0, max over its A tracks of 2m - a - 1) on the cut before the first track. The gain
// only grows as tracks join side A, so each state keeps the largest:
//   G[i][j][x]: the largest gain of the first i tracks with j of them on A weighing x.
// Size: (n + 1) steps of (limit + 1) counts, each over the weights that j tracks of the first i can
// weigh and that can still end within the bounds; one byte a state.
class CountSearch {
public:
    CountSearch(const std::vector<int>& weights, int lo, int hi, int limit)
        : w_(weights),
          n_(static_cast<int>(weights.size())),
          lo_(std::max(0, lo)),
          hi_(hi),
          limit_(limit)
    {
        layOut();
        fill();
    }

    struct Final {
        int count = 0;       // tracks on side A
        int weight = 0;      // their weight
        int outOfPlace = 0;  // the fewest tracks out of place of a split that reaches them
    };

    std::vector<Final> finals() const
    {
        std::vector<Final> found;
        for (int j = 0; j <= std::min(n_, limit_); ++j) {
            const Band& band = band_[index(n_, j)];
            for (int x = std::max(band.first, lo_); x <= std::min(band.last, hi_); ++x)
                if (const int g = gain(n_, j, x); g >= 0) found.push_back({j, x, j - g});
        }
        return found;
    }

    // The split that reaches the final state with its fewest tracks out of place, later tracks on B.
    std::vector<char> readBack(const Final& state) const
    {
        std::vector<char> onA(n_, 0);
        const int needed = state.count - state.outOfPlace;  // the gain the split must reach
        int j = state.count;
        int x = state.weight;
        int decided = 0;  // the largest gain term of the A tracks decided so far
        for (int i = n_ - 1; i >= 0; --i) {
            const int g = gain(i, j, x);
            if (g >= 0 && std::max(g, decided) >= needed) continue;  // track i on B
            onA[i] = 1;                                              // track i is the j-th on A
            decided = std::max(decided, 2 * j - i - 1);
            x -= w_[i];
            --j;
        }
        return onA;
    }

private:
    struct Band {
        int first = 0;  // weights first..last are kept; none when first > last
        int last = -1;
        std::size_t offset = 0;
    };

    std::size_t index(int i, int j) const { return static_cast<std::size_t>(i) * (limit_ + 1) + j; }

    // The kept weights of each state: no lighter than its j lightest tracks and than what the
    // remaining tracks could still lift to the lower bound, no heavier than its j heaviest and the
    // upper bound.
    void layOut()
    {
        // heaviest[i][j] / lightest[i][j]: the j heaviest / lightest of the first i tracks;
        // rest[i][r]: the r heaviest of the tracks from i on.
        const int width = limit_ + 1;
        std::vector<long long> heaviest((n_ + 1) * width), lightest((n_ + 1) * width), rest((n_ + 1) * width);
        std::vector<int> sorted;
        for (int i = 0; i <= n_; ++i) {
            for (int j = 1; j <= std::min(i, limit_); ++j) {
                heaviest[i * width + j] = heaviest[i * width + j - 1] + sorted[sorted.size() - j];
                lightest[i * width + j] = lightest[i * width + j - 1] + sorted[j - 1];
            }
            if (i < n_) sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), w_[i]), w_[i]);
        }
        sorted.clear();
        for (int i = n_; i >= 0; --i) {
            for (int r = 1; r <= std::min(n_ - i, limit_); ++r)
                rest[i * width + r] = rest[i * width + r - 1] + sorted[sorted.size() - r];
            for (int r = std::min(n_ - i, limit_) + 1; r <= limit_; ++r) rest[i * width + r] = rest[i * width + r - 1];
            if (i > 0) sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), w_[i - 1]), w_[i - 1]);
        }
        band_.assign(static_cast<std::size_t>(n_ + 1) * width, Band{});
        std::size_t size = 0;
        for (int i = 0; i <= n_; ++i)
            for (int j = 0; j <= std::min(i, limit_); ++j) {
                Band& band = band_[index(i, j)];
                band.first = static_cast<int>(
                    std::max<long long>(lightest[i * width + j], lo_ - rest[i * width + (limit_ - j)]));
                band.last = static_cast<int>(std::min<long long>(heaviest[i * width + j], hi_));
                band.offset = size;
                if (band.first <= band.last) size += static_cast<std::size_t>(band.last - band.first + 1);
            }
        cells_.assign(size, 0);
    }

    // Cells hold the gain plus one; 0 marks a state no split reaches.
    void fill()
    {
        const Band& start = band_[index(0, 0)];
        if (start.first <= 0 && 0 <= start.last) cells_[start.offset + static_cast<std::size_t>(-start.first)] = 1;
        for (int i = 0; i < n_; ++i) {
            for (int j = 0; j <= std::min(i + 1, limit_); ++j) {
                const Band& to = band_[index(i + 1, j)];
                if (to.first > to.last) continue;
                std::uint8_t* out = cells_.data() + to.offset;  // out[x - to.first]
                if (j <= i) {                                   // track i on B
                    const Band& from = band_[index(i, j)];
                    const int first = std::max(to.first, from.first);
                    const int last = std::min(to.last, from.last);
                    const std::uint8_t* in = cells_.data() + from.offset;
                    if (first <= last)
                        std::copy(in + (first - from.first), in + (last - from.first) + 1, out + (first - to.first));
                }
                if (j >= 1) {  // track i on A, the j-th of side A
                    const Band& from = band_[index(i, j - 1)];
                    const int first = std::max(to.first, from.first + w_[i]);
                    const int last = std::min(to.last, from.last + w_[i]);
                    if (first > last) continue;
                    const std::uint8_t* in = cells_.data() + from.offset + (first - w_[i] - from.first);
                    std::uint8_t* at = out + (first - to.first);
                    const auto term = static_cast<std::uint8_t>(std::max(0, 2 * j - i - 1) + 1);
                    joinSideA(at, in, last - first + 1, term);
                }
            }
        }
    }

    // The largest gain of the first i tracks with j on A weighing x; -1 when none reaches it.
    int gain(int i, int j, int x) const
    {
        if (j < 0 || j > std::min(i, limit_)) return -1;
        const Band& band = band_[index(i, j)];
        if (x < band.first || x > band.last) return -1;
        return cells_[band.offset + static_cast<std::size_t>(x - band.first)] - 1;
    }

    std::vector<int> w_;
    int n_;
    int lo_;
    int hi_;
    int limit_;
    std::vector<Band> band_;
    std::vector<std::uint8_t> cells_;
};

// Side-A weights 0..top reachable with at most `limit` tracks.
std::vector<Word> reachableWeights(const std::vector<int>& w, int top, int limit)
{
    const int words = wordsFor(top + 1);
    const int n = static_cast<int>(w.size());
    if (n <= limit) {
        std::vector<Word> reach(words, 0);
        std::vector<Word> shifted(words);
        setBit(reach.data(), 0);
        for (int weight : w) {
            std::copy(reach.begin(), reach.end(), shifted.begin());
            orShifted(reach.data(), shifted.data(), weight, words);
        }
        return reach;
    }
    // One row per count of A tracks, updated from the highest count down so each track is used once.
    std::vector<Word> byCount(static_cast<std::size_t>(limit + 1) * words, 0);
    auto row = [&](int c) { return byCount.data() + static_cast<std::size_t>(c) * words; };
    setBit(row(0), 0);
    for (int i = 0; i < n; ++i)
        for (int c = std::min(i + 1, limit); c >= 1; --c) orShifted(row(c), row(c - 1), w[i], words);
    std::vector<Word> reach(words, 0);
    for (int c = 0; c <= limit; ++c) orInto(reach.data(), row(c), words);
    return reach;
}

// True when split a is preferred to split b by the last rule: from the last track backwards, the
// first track they place differently is on side B in a.
bool laterTracksOnB(const std::vector<char>& a, const std::vector<char>& b)
{
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return !a[i];
    return false;
}

}  // namespace

namespace detail {

std::optional<TapePlan> planExact(const std::vector<int>& t, bool withGap, const Lineup& lineup, int sideATracks)
{
    if (!isUsableLineup(lineup) || sideATracks < 1 || sideATracks > SideATrackLimit) return std::nullopt;
    const int gap = withGap ? GapSeconds : 0;
    const int longest = lineup.back().sideCapacity;
    long long total = 0;
    for (int seconds : t) {
        if (seconds < 0 || seconds > longest) return std::nullopt;  // no side holds it
        total += seconds + gap;
    }
    // Both sides of the longest tape together: this also keeps every weight below 2 * 9999 + 10.
    if (total > 2LL * (longest + gap)) return std::nullopt;
    const int all = static_cast<int>(total);
    const int n = static_cast<int>(t.size());
    std::vector<int> w;
    w.reserve(t.size());
    for (int seconds : t) w.push_back(seconds + gap);

    // The shortest tape on which some side A within its track limit leaves both sides fitting.
    const std::vector<Word> reach = reachableWeights(w, std::min(longest + gap, all), sideATracks);
    const Tape* tape = nullptr;
    for (const Tape& candidate : lineup) {
        const int lo = std::max(0, all - candidate.sideCapacity - gap);
        const int hi = std::min(candidate.sideCapacity + gap, all);
        if (lo <= hi && anyInRange(reach.data(), lo, hi)) {
            tape = &candidate;
            break;
        }
    }
    if (!tape) return std::nullopt;
    const int lo = all - tape->sideCapacity - gap;
    const int hi = std::min(tape->sideCapacity + gap, all);

    // The difference between the sides for side A of weight x; of x and W - x, which differ alike,
    // the larger makes side A the longer.
    auto difference = [&](int x) {
        const int usedA = x > 0 ? x - gap : 0;
        const int usedB = all - x > 0 ? all - x - gap : 0;
        return std::abs(usedA - usedB);
    };
    auto better = [&](int x, int y) {
        return difference(x) < difference(y) || (difference(x) == difference(y) && x > y);
    };

    // The best split by the cuts alone, side A's limit left aside.
    auto bestByCuts = [&]() -> std::optional<std::vector<char>> {
        CutSearch search(w, lo, hi);
        bool found = false;
        for (int k = 0; k <= n && !found; ++k) found = search.addLayer();
        if (!found) return std::nullopt;  // cannot happen: the tape was chosen because a split exists
        int chosen = -1;
        for (int x : search.finalWeights())
            if (chosen < 0 || better(x, chosen)) chosen = x;
        return search.readBack(chosen);
    };

    // Where side A's limit does not bind, the best split without it is also the best with it: the
    // rules order all splits, and it is the first of them.
    std::optional<std::vector<char>> byCuts = bestByCuts();
    if (!byCuts) return std::nullopt;
    std::vector<char> best = std::move(*byCuts);
    if (std::count(best.begin(), best.end(), 1) > sideATracks) {
        best.clear();
        CountSearch search(w, lo, hi, sideATracks);
        const std::vector<CountSearch::Final> finals = search.finals();
        if (finals.empty()) return std::nullopt;  // cannot happen, as above
        const CountSearch::Final* chosen = &finals.front();
        for (const CountSearch::Final& f : finals)
            if (f.outOfPlace < chosen->outOfPlace ||
                (f.outOfPlace == chosen->outOfPlace && better(f.weight, chosen->weight)))
                chosen = &f;
        // Splits of another count of A tracks may tie; the last rule settles it.
        for (const CountSearch::Final& f : finals) {
            if (f.outOfPlace != chosen->outOfPlace || f.weight != chosen->weight) continue;
            std::vector<char> split = search.readBack(f);
            if (best.empty() || laterTracksOnB(split, best)) best = std::move(split);
        }
    }

    TapePlan plan;
    plan.exact = true;
    plan.tapeMinutes = tape->minutes;
    plan.sideCapacity = tape->sideCapacity;
    for (int i = 0; i < n; ++i) {
        if (best[i]) {
            plan.sideA.push_back(i + 1);
            plan.sideATime += t[i];
        } else {
            plan.sideB.push_back(i + 1);
            plan.sideBTime += t[i];
        }
    }
    plan.sideABlank = blankOf(static_cast<int>(plan.sideA.size()), gap);
    plan.sideBBlank = blankOf(static_cast<int>(plan.sideB.size()), gap);
    plan.totalBlank = plan.sideABlank + plan.sideBBlank;

    // The cut that leaves the fewest tracks out of place, the earliest of equals.
    int outOfPlace = static_cast<int>(plan.sideA.size());  // cut before the first track
    int bestOutOfPlace = outOfPlace;
    int cut = 0;
    for (int i = 0; i < n; ++i) {
        outOfPlace += best[i] ? -1 : 1;
        if (outOfPlace < bestOutOfPlace) {
            bestOutOfPlace = outOfPlace;
            cut = i + 1;
        }
    }
    plan.lastA = cut - 1;
    plan.lastB = n - 1;
    return plan;
}

}  // namespace detail

std::optional<TapePlan> planExact(const std::vector<int>& trackSeconds, bool gap, const Lineup& lineup)
{
    return detail::planExact(trackSeconds, gap, lineup, SideATrackLimit);
}

std::optional<TapePlan> planTracks(const std::vector<int>& trackSeconds, PlanOptions options, const Lineup& lineup)
{
    if (options.exact && !options.keepOrder) return planExact(trackSeconds, options.gap, lineup);
    return PlanTape(trackSeconds, options, lineup);
}

}  // namespace vantoli
