#pragma once
// A JSON text written by hand: objects and arrays with two-blank indents, strings escaped so that any
// bytes, invalid UTF-8 and control characters included, give valid JSON.

#include <string>
#include <string_view>
#include <vector>

namespace vantoli::cli {

// The text as a JSON string with its quotes: UTF-8 kept as it is, every byte that is no part of a
// well-formed UTF-8 character replaced by U+FFFD, the quote, the backslash and the control characters
// escaped (and U+2028, U+2029, which some readers take for line ends).
std::string jsonString(std::string_view text);

class JsonWriter {
public:
    // An object or array that is `compact` stands on one line ({"minutes": 46, "sideCapacity": 1425}),
    // with everything inside it; the others give each member a line of its own.
    void beginObject(bool compact = false);
    void endObject();
    void beginArray(bool compact = false);
    void endArray();
    // The name of the next member of an object.
    JsonWriter& key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(long long number);
    void value(int number) { value(static_cast<long long>(number)); }
    void value(bool flag);
    void null();

    // The whole text, ending with a line end.
    std::string text() const { return text_ + "\n"; }

private:
    void beforeValue();
    void open(char bracket, bool compact);
    void close(char bracket);
    void newLine();

    struct Level {
        bool empty = true;
        bool compact = false;
    };
    std::string text_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace vantoli::cli
