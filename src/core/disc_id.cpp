#include "core/disc_id.h"

#include <discid/discid.h>

#include <memory>

namespace vantoli {

namespace {

constexpr int MaxTrack = 99;

bool plausible(const DiscToc& toc)
{
    if (toc.firstTrack < 1 || toc.offsets.empty()) return false;
    if (toc.firstTrack + static_cast<int>(toc.offsets.size()) - 1 > MaxTrack) return false;
    std::int32_t previous = 0;
    for (const std::int32_t offset : toc.offsets) {
        if (offset <= previous) return false;
        previous = offset;
    }
    return toc.leadOut > previous;
}

}  // namespace

std::string musicBrainzDiscId(const DiscToc& toc)
{
    if (!plausible(toc)) return {};
    // discid_put takes the lead-out first, then the track offsets, in an array indexed by track number.
    int offsets[MaxTrack + 1] = {};
    offsets[0] = toc.leadOut;
    for (std::size_t i = 0; i < toc.offsets.size(); ++i) offsets[toc.firstTrack + static_cast<int>(i)] = toc.offsets[i];
    const std::unique_ptr<DiscId, void (*)(DiscId*)> disc(discid_new(), &discid_free);
    if (!disc) return {};
    const int last = toc.firstTrack + static_cast<int>(toc.offsets.size()) - 1;
    if (!discid_put(disc.get(), toc.firstTrack, last, offsets)) return {};
    const char* id = discid_get_id(disc.get());
    return id ? std::string(id) : std::string();
}

}  // namespace vantoli
