#pragma once
// A message box as the core describes it: the window layer only shows it.

#include <string>

namespace vantoli {

enum class MessageIcon { Stop, Information, Exclamation };

struct Message {
    std::string title;  // UTF-8
    std::string text;   // UTF-8; lines joined exactly as the program has always joined them
    MessageIcon icon = MessageIcon::Exclamation;

    bool operator==(const Message&) const = default;
};

}  // namespace vantoli
