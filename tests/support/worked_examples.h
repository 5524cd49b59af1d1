#pragma once
// The two long discs whose reports are known character for character, both planned with the 5-second
// gap and without keeping the disc's order.

#include <vector>

namespace vantoli::test {

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
