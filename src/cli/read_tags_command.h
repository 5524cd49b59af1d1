#pragma once
// vantoli-helper --read-tags: audio files' lengths and tags through TagLib, for the window, which reads
// files, folders, playlists and CUE sheets itself but does not load TagLib. It asks for one file at a
// time and waits for the answer, so each is written as soon as it is read.

#include <cstdio>

namespace vantoli::cli {

// Paths on `in`, each ended by a NUL byte (a file name may hold any other byte); for each, one line on
// `out`: {"milliseconds": N, "title": ..., "artist": ..., "album": ..., "albumArtist": ...}, or null
// when the file is no audio file TagLib knows. Ends when `in` does, with status 0.
int readTags(std::FILE* in, std::FILE* out);

}  // namespace vantoli::cli
