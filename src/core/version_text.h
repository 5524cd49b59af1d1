#pragma once
// The version line of the About window, built from the program's version numbers. Plain C++, no Qt.

#include <string>

namespace vantoli {

// The release tag that follows the numbers, with its leading blank.
inline constexpr const char* ReleaseTag = " Beta 1";

// "Version " + major + ". " + minor (at least two digits: 5 gives "05") + ". " + revision + ReleaseTag,
// for example "Version 1. 10. 2000 Beta 1". The numbers are never negative.
inline std::string versionText(unsigned major, unsigned minor, unsigned revision)
{
    std::string minorText = std::to_string(minor);
    if (minorText.size() < 2) minorText.insert(0, 2 - minorText.size(), '0');
    return "Version " + std::to_string(major) + ". " + minorText + ". " + std::to_string(revision) + ReleaseTag;
}

}  // namespace vantoli
