#include "cli/json_writer.h"

#include "core/text_encoding.h"

namespace vantoli::cli {

std::string jsonString(std::string_view text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    const std::string valid = validUtf8(text);
    std::string out = "\"";
    out.reserve(valid.size() + 2);
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(valid[i]);
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\b': out += "\\b"; continue;
        case '\f': out += "\\f"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        } else if (c == 0xE2 && i + 2 < valid.size() && valid[i + 1] == '\x80' &&
                   (valid[i + 2] == '\xA8' || valid[i + 2] == '\xA9')) {
            out += valid[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
    return out;
}

void JsonWriter::newLine()
{
    text_ += '\n';
    text_.append(2 * levels_.size(), ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (!level.empty) text_ += level.compact ? ", " : ",";
    if (!level.compact) newLine();
    level.empty = false;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    beforeValue();
    text_ += jsonString(name);
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::open(char bracket, bool compact)
{
    beforeValue();
    text_ += bracket;
    levels_.push_back({true, compact || (!levels_.empty() && levels_.back().compact)});
}

void JsonWriter::close(char bracket)
{
    const bool breakLine = !levels_.empty() && !levels_.back().empty && !levels_.back().compact;
    if (!levels_.empty()) levels_.pop_back();
    if (breakLine) newLine();
    text_ += bracket;
}

void JsonWriter::beginObject(bool compact) { open('{', compact); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray(bool compact) { open('[', compact); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::value(std::string_view text)
{
    beforeValue();
    text_ += jsonString(text);
}

void JsonWriter::value(long long number)
{
    beforeValue();
    text_ += std::to_string(number);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    text_ += flag ? "true" : "false";
}

void JsonWriter::null()
{
    beforeValue();
    text_ += "null";
}

}  // namespace vantoli::cli
