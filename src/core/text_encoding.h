#pragma once
// Text from files of the Japanese Windows world: playlists and CUE sheets come as UTF-8 (with or
// without a byte-order mark), as Shift-JIS (code page 932) or, now and then, as UTF-16 with a mark.
// Everything here turns bytes into UTF-8 or says that it cannot; pattern files are written back as
// Shift-JIS. The one converter is the C library's iconv.

#include <optional>
#include <string>
#include <string_view>

namespace vantoli {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isUtf8(std::string_view bytes);

// The text with every byte that is no part of a well-formed UTF-8 character replaced by U+FFFD.
std::string validUtf8(std::string_view bytes);

// Text without control characters (C0 but tab and line ends, DEL, C1) and without the controls that
// turn the direction of text (U+202A to U+202E, U+2066 to U+2069), which would make a title show as
// other than it is; a tab becomes a blank, line ends stay. Bytes that are no UTF-8 stay as they are.
std::string withoutControlCharacters(std::string_view text);

// The bytes read as Shift-JIS in its Windows form (code page 932), as UTF-8; nothing when they are
// not valid Shift-JIS. A byte 0x5C that stands alone is a backslash, as Windows reads it.
std::optional<std::string> shiftJisToUtf8(std::string_view bytes);

// The same for text that is read whatever it holds: U+FFFD in place of a byte that starts no
// character, and of a first byte together with a second that could belong to it but makes none.
std::string shiftJisToUtf8Replacing(std::string_view bytes);

// The UTF-8 text as Shift-JIS (code page 932); nothing when it holds a character Shift-JIS cannot
// write so that it reads back as the same character.
std::optional<std::string> utf8ToShiftJis(std::string_view utf8);

// Whether the C library can convert Shift-JIS at all.
bool shiftJisAvailable();

enum class TextEncoding {
    Utf8,           // UTF-8 only (.m3u8)
    Utf8OrShiftJis,  // UTF-8 when the bytes decode as UTF-8, else Shift-JIS (.m3u)
    // As Utf8OrShiftJis, else Windows-1252; a byte no character stands for becomes U+FFFD, after a
    // byte-order mark too. Never fails (.cue: its times must read whatever its titles are in).
    Utf8OrShiftJisOrWindows1252,
};

// The text of a file as UTF-8, its byte-order mark removed. A UTF-8 mark makes the rest UTF-8 and a
// UTF-16 mark UTF-16, whatever `encoding` says; without a mark `encoding` decides. Nothing when the
// bytes do not decode (never for Utf8OrShiftJisOrWindows1252).
std::optional<std::string> decodeText(std::string_view bytes, TextEncoding encoding);

// The bytes with every %XX escape (two hexadecimal digits) turned back into the byte it stands for;
// a % without two such digits stays as it is.
std::string percentDecoded(std::string_view text);

}  // namespace vantoli
