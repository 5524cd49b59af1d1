#include "core/language.h"

#include <atomic>
#include <cstdlib>

namespace vantoli {

namespace {

std::atomic<Language> current{Language::Japanese};

bool isSet(const char* value) { return value && value[0] != '\0'; }

// "ja", "ja_JP.UTF-8", "ja_JP@x" name Japanese; so does the program's own C/POSIX locale.
bool isJapanese(std::string_view name) { return name == "ja" || name.starts_with("ja_") || name.starts_with("ja."); }

bool isCLocale(std::string_view name)
{
    return name == "C" || name == "POSIX" || name.starts_with("C.") || name.starts_with("C@");
}

}  // namespace

Language languageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages, const char* lang)
{
    const char* locale = isSet(lcAll) ? lcAll : isSet(lcMessages) ? lcMessages : isSet(lang) ? lang : "C";
    if (isCLocale(locale)) return Language::Japanese;
    std::string_view name = locale;
    if (isSet(language)) {
        name = language;
        name = name.substr(0, name.find(':'));
    }
    return isJapanese(name) ? Language::Japanese : Language::English;
}

Language languageFromEnvironment()
{
    return languageFromEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                   std::getenv("LANG"));
}

void setLanguage(Language language) { current.store(language, std::memory_order_relaxed); }

Language currentLanguage() { return current.load(std::memory_order_relaxed); }

const char* _(const char* japanese)
{
    if (currentLanguage() == Language::Japanese) return japanese;
    const char* english = englishOf(japanese);
    return english ? english : japanese;
}

std::string fill(std::string_view text, std::initializer_list<std::string_view> arguments)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < arguments.size()) {
                out += arguments.begin()[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace vantoli
