// Arbitrary long-disc track lists and options: the plan keeps its invariants, and the report text,
// read back the way a user reads it, names exactly the plan's track lists and tape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"

namespace {

void check(bool ok)
{
    if (!ok) std::abort();
}

// The track numbers listed between two headings: "1 ～ 11" ranges and "1，2，…" lists alike.
std::vector<int> listedTracks(std::string_view text, std::string_view from, std::string_view to)
{
    const std::size_t begin = text.find(from);
    const std::size_t end = text.find(to, begin);
    check(begin != std::string_view::npos && end != std::string_view::npos);
    const std::string_view side = text.substr(begin, end - begin);
    const std::size_t list = side.find("収録：");
    check(list != std::string_view::npos);

    std::vector<int> tracks;
    bool range = false;
    for (std::size_t i = list; i < side.size();) {
        if (side[i] >= '0' && side[i] <= '9') {
            int n = 0;
            while (i < side.size() && side[i] >= '0' && side[i] <= '9') n = n * 10 + (side[i++] - '0');
            if (range) {
                for (int t = tracks.back() + 1; t <= n; ++t) tracks.push_back(t);
                range = false;
            } else {
                tracks.push_back(n);
            }
        } else if (side.substr(i, 3) == "～") {
            range = true;
            i += 3;
        } else {
            ++i;
        }
    }
    return tracks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    // Bit 2 asks for the exact planner, whose report lists each side's own tracks.
    const vantoli::PlanOptions options{bool(data[0] & 1), bool(data[0] & 2), bool(data[0] & 4)};
    std::vector<int> seconds;
    for (std::size_t i = 1; i < size && seconds.size() < 99; ++i) seconds.push_back(data[i] * 2);
    if (seconds.size() < 21) return 0;

    const auto disc = vantoli::planLongDisc(seconds, options, static_cast<std::int32_t>(seconds.size()));
    if (!disc) return 0;
    const vantoli::TapePlan& plan = disc->plan;
    check(plan.sideA.size() + plan.sideB.size() == seconds.size());
    check(plan.sideA.size() <= std::size_t(vantoli::SideATrackLimit));

    const std::string text = vantoli::PlanReportText(*disc);
    check(text.starts_with("\r\n") && text.ends_with("\r\n"));
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') check(i > 0 && text[i - 1] == '\r');
    check(text.find("使用するテープ： " + std::to_string(plan.tapeMinutes) + "分テープ\r\n") != std::string::npos);
    check(listedTracks(text, "＜A面＞", "＜B面＞") == plan.sideA);
    check(listedTracks(text, "＜B面＞", "＜両面＞") == plan.sideB);
    return 0;
}
