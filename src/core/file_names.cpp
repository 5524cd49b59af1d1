#include "core/file_names.h"

namespace vantoli {

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = asciiLower(c);
    return out;
}

std::string asciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = asciiUpper(c);
    return out;
}

namespace {

std::string_view lastPart(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string extensionOf(std::string_view path)
{
    const std::string_view name = lastPart(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return asciiLower(name.substr(dot + 1));
}

bool hasExtension(std::string_view path, std::string_view extension)
{
    const std::string_view name = lastPart(path);
    return name.size() > extension.size() &&
           asciiLower(name.substr(name.size() - extension.size())) == asciiLower(extension);
}

std::string fileStem(std::string_view path)
{
    const std::string_view name = lastPart(path);
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

}  // namespace vantoli
