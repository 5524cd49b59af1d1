#include "core/text_encoding.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace vantoli {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

// Converts the whole of `bytes` from `from` to `to` with the C library's iconv; nothing when a byte
// sequence is invalid or incomplete, or the conversion is not available. With `replace`, such a
// byte becomes U+FFFD instead and the conversion goes on.
std::optional<std::string> convert(std::string_view bytes, const char* to, const char* from, bool replace = false)
{
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out;
    char chunk[4096];
    char* in = const_cast<char*>(bytes.data());  // iconv takes char** but does not write the input
    std::size_t inLeft = bytes.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t result = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            if (replace && inLeft > 0) {
                out += "\xEF\xBF\xBD";
                ++in;
                --inLeft;
                continue;
            }
            ok = false;  // EILSEQ or EINVAL: not text in this encoding
            break;
        }
    }
    if (ok) {
        // Flush any shift state (none for these encodings, but the protocol asks for it).
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        if (::iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) ok = false;
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

std::optional<std::string> convertToUtf8(std::string_view bytes, const char* from, bool replace = false)
{
    std::optional<std::string> out = convert(bytes, "UTF-8", from, replace);
    if (!out || !isUtf8(*out)) return std::nullopt;
    return out;
}

// Shift-JIS in its Windows form, as iconv names it.
constexpr const char* ShiftJis = "CP932";

bool isShiftJisLead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isShiftJisTrail(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// The length of the well-formed UTF-8 character at the start of `bytes`, or 0 when there is none.
std::size_t characterLength(std::string_view bytes)
{
    const auto b0 = static_cast<std::uint8_t>(bytes[0]);
    if (b0 < 0x80) return 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;   // no overlong forms
        if (b0 == 0xED) high = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;   // no overlong forms
        if (b0 == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    const auto b1 = static_cast<std::uint8_t>(bytes[1]);
    if (b1 < low || b1 > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        const auto b = static_cast<std::uint8_t>(bytes[k]);
        if (b < 0x80 || b > 0xBF) return 0;
    }
    return length;
}

}  // namespace

bool isUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t length = characterLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string validUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = characterLength(bytes);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    return out;
}

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) { return convertToUtf8(bytes, ShiftJis); }

bool shiftJisAvailable()
{
    iconv_t cd = ::iconv_open("UTF-8", ShiftJis);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    ::iconv_close(cd);
    return true;
}

std::string shiftJisToUtf8Replacing(std::string_view bytes)
{
    iconv_t cd = ::iconv_open("UTF-8", ShiftJis);
    if (cd == reinterpret_cast<iconv_t>(-1)) return validUtf8(bytes);

    std::string out;
    char chunk[4096];
    char* in = const_cast<char*>(bytes.data());  // iconv takes char** but does not write the input
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t result = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // No character here: one U+FFFD for a lead byte and the byte after it when that could be a
        // second byte, else for the one byte.
        const auto lead = static_cast<std::uint8_t>(in[0]);
        const bool pair = inLeft >= 2 && isShiftJisLead(lead) && isShiftJisTrail(static_cast<std::uint8_t>(in[1]));
        const std::size_t skipped = pair ? 2 : 1;
        out += "\xEF\xBF\xBD";
        in += skipped;
        inLeft -= skipped;
    }
    ::iconv_close(cd);
    return out;
}

std::optional<std::string> utf8ToShiftJis(std::string_view utf8)
{
    if (!isUtf8(utf8)) return std::nullopt;
    std::optional<std::string> bytes = convert(utf8, ShiftJis, "UTF-8");
    // iconv also writes characters that only look like one of Shift-JIS ("¥" as the byte of "\\"):
    // those would read back as another text.
    if (!bytes || shiftJisToUtf8(*bytes) != std::string(utf8)) return std::nullopt;
    return bytes;
}

std::optional<std::string> decodeText(std::string_view bytes, TextEncoding encoding)
{
    const bool lenient = encoding == TextEncoding::Utf8OrShiftJisOrWindows1252;
    if (bytes.starts_with(Utf8Mark)) {
        bytes.remove_prefix(Utf8Mark.size());
        if (!isUtf8(bytes)) return lenient ? std::optional(validUtf8(bytes)) : std::nullopt;
        return std::string(bytes);
    }
    if (bytes.starts_with(Utf16LeMark)) return convertToUtf8(bytes.substr(Utf16LeMark.size()), "UTF-16LE", lenient);
    if (bytes.starts_with(Utf16BeMark)) return convertToUtf8(bytes.substr(Utf16BeMark.size()), "UTF-16BE", lenient);
    if (isUtf8(bytes)) return std::string(bytes);
    if (encoding == TextEncoding::Utf8) return std::nullopt;
    if (std::optional<std::string> text = shiftJisToUtf8(bytes); text || !lenient) return text;
    return convertToUtf8(bytes, "CP1252", true);
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string percentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string withoutControlCharacters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        if (u == '\t') {
            out.push_back(' ');
        } else if (u < 0x20 && u != '\n' && u != '\r') {
        } else if (u == 0x7F) {
        } else if (u == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;  // C1: U+0080 to U+009F
        } else if (u == 0xE2 && i + 2 < text.size() &&
                   ((text[i + 1] == '\x80' && static_cast<unsigned char>(text[i + 2]) >= 0xAA &&
                     static_cast<unsigned char>(text[i + 2]) <= 0xAE) ||
                    (text[i + 1] == '\x81' && static_cast<unsigned char>(text[i + 2]) >= 0xA6 &&
                     static_cast<unsigned char>(text[i + 2]) <= 0xA9))) {
            i += 2;  // U+202A to U+202E, U+2066 to U+2069
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace vantoli
