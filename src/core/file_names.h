#pragma once
// One home for the small rules of names: ASCII case, file-name extensions, and a file's stem.

#include <string>
#include <string_view>

namespace vantoli {

// ASCII letters only; every other byte (UTF-8 included) stays as it is.
constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);

// The extension of the last part of a path, after its last dot, lower-cased ("FLAC" -> "flac");
// empty for a name without one or with a dot only in front (".hidden").
std::string extensionOf(std::string_view path);
// Whether the path ends in `extension` (with its dot, ".vantoli"), in any case, after a name of its own.
bool hasExtension(std::string_view path, std::string_view extension);
// The last part of a path without its extension ("/music/tape.vantoli" -> "tape").
std::string fileStem(std::string_view path);

}  // namespace vantoli
