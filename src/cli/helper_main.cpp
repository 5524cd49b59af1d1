// vantoli-helper: the window's errands that need neither sound nor a window, in a program that starts in
// a few milliseconds: vantoli-plan loads FFmpeg's many libraries, this loads TagLib and libcurl only.
// The window starts it and reads what it writes; nobody else runs it.
//   vantoli-helper --read-tags   audio files' lengths and tags, one NUL-ended path after another
//   vantoli-helper --fetch=URL   one answer of the disc database

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/fetch_command.h"
#include "cli/read_tags_command.h"

int main(int argc, char* argv[])
{
    const std::string_view request = argc == 2 ? argv[1] : "";
    if (request == "--read-tags") return vantoli::cli::readTags(stdin, stdout);
    if (request.starts_with("--fetch=")) return vantoli::cli::fetchAnswer(std::string(request.substr(8)), stdout);
    std::fputs("usage: vantoli-helper --read-tags | --fetch=URL (the window runs it)\n", stderr);
    return 2;
}
