// Arbitrary bytes as the request vantoli-plan --stream=- reads on its standard input: a request is
// refused or streamed, never a crash, an overflow or a stream without end (the fuzzer's timeout).
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "cli/side_render_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::FILE* in = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!in) return 0;
    vantoli::cli::streamSide(in, sink);
    std::fclose(in);
    return 0;
}
