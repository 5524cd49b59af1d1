#pragma once
// vantoli-helper --fetch=URL: one request to the disc database for the window, which does not load a
// network library. The service's rules for a client are kept here: the program's name, version and a
// contact address as User-Agent, JSON asked for, a redirect followed only within the same service
// (scheme, host and port), an answer of at most 4 MiB, 10 s from the request to its last byte. The
// window keeps the rest: the spacing of requests, the cache, the retry of a busy service.

#include <cstdio>
#include <string>

namespace vantoli::cli {

// The answer on `out`: a first line {"status": HTTP status} and the body after it, or only a line
// {"failure": "no-connection" | "timed-out" | "too-large" | "other-host"}. Status 0, or 2 when `out`
// cannot take it.
int fetchAnswer(const std::string& url, std::FILE* out);

}  // namespace vantoli::cli
