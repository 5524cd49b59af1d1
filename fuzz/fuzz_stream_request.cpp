// Arbitrary bytes as the request vantoli-plan --stream=- reads on its standard input: a request is
// refused or streamed, never a crash, an overflow or a side without end (the fuzzer's timeout). The tone
// and the loudest 10 s loop until their reader stops by design, so only their reading is fuzzed.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <variant>

#include "cli/side_render_command.h"
#include "core/stream_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = vantoli::parseStreamRequest(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto* request = std::get_if<vantoli::StreamRequest>(&parsed))
        if (request->what == vantoli::StreamWhat::Tone || request->what == vantoli::StreamWhat::Loudest) return 0;
    static const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::FILE* in = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!in) return 0;
    vantoli::cli::streamSide(in, sink);
    std::fclose(in);
    return 0;
}
