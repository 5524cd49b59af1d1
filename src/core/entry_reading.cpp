#include "core/entry_reading.h"
#include "core/language.h"

#include <algorithm>
#include <cstddef>

#include "core/trimmed.h"

namespace vantoli {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The plain form of what a Japanese input method types in full width: the digits, the signs, the
// decimal point and the ideographic blank. Every other character stays as it is.
std::string plainForm(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        // U+FF0B (＋), U+FF0D (－), U+FF0E (．) and U+FF10..U+FF19 (０..９) are EF BC 8B/8D/8E/90..99.
        if (rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC') {
            const unsigned char last = static_cast<unsigned char>(rest[2]);
            if (last >= 0x90 && last <= 0x99) {
                plain += static_cast<char>('0' + (last - 0x90));
                i += 2;
                continue;
            }
            if (last == 0x8B || last == 0x8D || last == 0x8E) {
                plain += last == 0x8B ? '+' : last == 0x8D ? '-' : '.';
                i += 2;
                continue;
            }
        }
        if (rest.substr(0, 3) == "\xE3\x80\x80") {  // U+3000, the ideographic blank
            plain += ' ';
            i += 2;
            continue;
        }
        plain += text[i];
    }
    return plain;
}

}  // namespace

EntryNumber convertEntry(std::string_view text)
{
    const std::string plain = plainForm(text);
    std::string_view s = trimmed(plain);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    const std::size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : s.substr(point + 1);
    if (whole.empty() && fraction.empty()) return {EntryNumber::Kind::NotANumber, 0};
    for (char c : whole)
        if (!isDigit(c)) return {EntryNumber::Kind::NotANumber, 0};
    for (char c : fraction)
        if (!isDigit(c)) return {EntryNumber::Kind::NotANumber, 0};

    // The magnitude saturates well above the 16-bit range, so any number of digits is safe.
    constexpr long Saturated = 1'000'000;
    long magnitude = 0;
    for (char c : whole) magnitude = std::min(Saturated, magnitude * 10 + (c - '0'));

    // Round the fraction half to even: 4.5 -> 4, 5.5 -> 6, 4.51 -> 5.
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool restIsZero = fraction.find_first_not_of('0', 1) == std::string_view::npos;
        const bool roundUp = first > '5' || (first == '5' && (!restIsZero || magnitude % 2 == 1));
        if (roundUp) ++magnitude;
    }

    const long value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return {EntryNumber::Kind::OutOfRange, 0};
    return {EntryNumber::Kind::Number, static_cast<int>(value)};
}

Message EntryError::message() const
{
    std::string text = fill(_("トラック %1の\r"), {std::to_string(track)});
    switch (check) {
    case EntryCheck::Format:
        text += _("入力の形式に誤りがあります。\r必ず数値で入力してください。\r(例)  4:31 → 431");
        break;
    case EntryCheck::TooLarge: text += _("値が大きすぎます。\r入力した値を見直してください。"); break;
    case EntryCheck::Seconds: text += _("秒の値が不正です。\r修正してください。"); break;
    }
    return {_("入力エラー"), text, MessageIcon::Exclamation};
}

std::variant<TrackTimes, EntryError> ReadTrackTimes(const EntryTexts& entries)
{
    TrackTimes times;
    for (int p = 0; p < EntryCount; ++p) {
        const std::string& text = entries[p];
        if (text.empty()) break;  // the first empty entry ends the list; later ones are not read

        const EntryNumber number = convertEntry(text);
        if (number.kind == EntryNumber::Kind::NotANumber) return EntryError{p + 1, EntryCheck::Format};
        if (number.kind == EntryNumber::Kind::OutOfRange || number.value > LargestEntry)
            return EntryError{p + 1, EntryCheck::TooLarge};
        // A negative time would make every total and plan after it meaningless.
        if (number.value < 0) return EntryError{p + 1, EntryCheck::Format};

        const int minutes = number.value / 100;
        const int seconds = number.value % 100;
        if (seconds >= 60) return EntryError{p + 1, EntryCheck::Seconds};

        times.seconds.push_back(minutes * 60 + seconds);
        times.grandTotal += minutes * 60 + seconds;
    }
    return times;
}

}  // namespace vantoli
