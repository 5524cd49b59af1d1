// Arbitrary bytes as a report line of vantoli-plan --play, a --devices list, a stream request and the
// JSON of a tape check: no crash, and whatever is read writes back to text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/sound_report.h"
#include "core/stream_request.h"
#include "core/tape_check_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto report = vantoli::parseSoundReport(text)) {
        const auto again = vantoli::parseSoundReport(vantoli::soundReportLine(*report));
        if (!again || again->event != report->event || again->frame != report->frame) std::abort();
    }
    if (const auto devices = vantoli::parseSoundDevices(text))
        if (vantoli::parseSoundDevices(vantoli::soundDevicesJson(*devices)) != devices) std::abort();
    const auto request = vantoli::parseStreamRequest(text);
    if (const auto* read = std::get_if<vantoli::StreamRequest>(&request)) {
        const auto again = vantoli::parseStreamRequest(vantoli::streamRequestJson(*read));
        if (!std::holds_alternative<vantoli::StreamRequest>(again)) std::abort();
    }
    if (const auto check = vantoli::parseTapeCheckJson(text))
        if (!vantoli::parseTapeCheckJson(vantoli::tapeCheckJson(*check, false, true))) std::abort();
    return 0;
}
