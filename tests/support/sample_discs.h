#pragma once
// Sample discs shared by the tests: the two long discs whose reports are known character for
// character (both planned with the 5-second gap and without keeping the disc's order), and helpers
// that write report lines and disc images of whole seconds.

#include <QString>

#include <initializer_list>
#include <vector>

#include "support/disc_image.h"

namespace vantoli::test {

// Each line followed by CR LF, as the report ends its lines.
inline QString crlfLines(std::initializer_list<const char*> lines)
{
    QString out;
    for (const char* line : lines) out += QString::fromUtf8(line) + "\r\n";
    return out;
}

// A whole report: its first, empty line, then the lines.
inline QString reportLines(std::initializer_list<const char*> lines) { return "\r\n" + crlfLines(lines); }

// The head both report layouts share, from the first empty line down to "＜A面＞".
inline QString reportHead(int tape, int count)
{
    return "\r\n***************   TAPE の構成   ***************\r\n\r\n使用するテープ： " + QString::number(tape) +
           "分テープ\r\n総トラック数： " + QString::number(count) + "\r\n\r\n＜A面＞\r\n";
}

// The tracks as a disc holds them: each a whole number of seconds and a few frames more, so that every
// length has to be cut down to its whole seconds.
inline std::vector<ImageTrack> discOf(const std::vector<int>& seconds)
{
    std::vector<ImageTrack> tracks;
    for (std::size_t i = 0; i < seconds.size(); ++i)
        tracks.push_back({seconds[i] * SectorsPerSecond + int(i * 13 % SectorsPerSecond), false});
    return tracks;
}

// 24 tracks: 90-minute tape, no exchange, so both sides show as ranges.
inline const std::vector<int> RangeExampleSeconds{243, 299, 219, 215, 230, 250, 148, 147, 231, 221, 261, 257,
                                                  147, 124, 214, 177, 136, 123, 237, 277, 262, 110, 252, 201};
inline constexpr const char* RangeExampleReport =
    "\r\n"
    "***************   TAPE の構成   ***************\r\n"
    "\r\n"
    "使用するテープ： 90分テープ\r\n"
    "総トラック数： 24\r\n"
    "\r\n"
    "＜A面＞\r\n"
    "トータル： 41:04,   ブランク：  0:50\r\n"
    "収録：  1 ～ 11\r\n"
    "\r\n"
    "＜B面＞\r\n"
    "トータル： 41:57,   ブランク：  1:00\r\n"
    "収録： 12 ～ 24\r\n"
    "\r\n"
    "＜両面＞\r\n"
    "トータル： 83:01\r\n"
    "ブランク：  1:50\r\n";

// 21 tracks: track 9 and track 19 change sides and the 60-minute tape will do; the tracks are listed.
inline const std::vector<int> ListExampleSeconds{171, 154, 152, 291, 104, 117, 168, 205, 214, 163, 115,
                                                 111, 145, 172, 194, 235, 246, 133, 123, 192, 135};
inline constexpr const char* ListExampleReport =
    "\r\n"
    "***************   TAPE の構成   ***************\r\n"
    "\r\n"
    "使用するテープ： 60分テープ\r\n"
    "総トラック数： 21\r\n"
    "\r\n"
    "＜A面＞\r\n"
    "トータル： 29:23\r\n"
    "ブランク：  0:50\r\n"
    "収録：  1， 2， 3， 4， 5， 6， 7， 8，10，11，\r\n"
    "        19\r\n"
    "\r\n"
    "＜B面＞\r\n"
    "トータル： 29:37\r\n"
    "ブランク：  0:45\r\n"
    "収録：  9，12，13，14，15，16，17，18，20，21\r\n"
    "\r\n"
    "        \r\n"
    "＜両面＞\r\n"
    "トータル：  59:00\r\n"
    "ブランク：   1:35\r\n";

}  // namespace vantoli::test
