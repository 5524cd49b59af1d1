#pragma once
// The language the program speaks. Japanese is its own language: every text is written in Japanese in
// the source, and that text is the key of its English translation in translations/core_en.po, which the
// build compiles into the program (core_catalogue). Both front ends show a core message through _().

#include <initializer_list>
#include <string>
#include <string_view>

namespace vantoli {

enum class Language { Japanese, English };

// The user's language from the environment as gettext reads it: the first set of LC_ALL, LC_MESSAGES
// and LANG is the locale; in the C or POSIX locale the program speaks Japanese; otherwise LANGUAGE, when
// set, names the languages in order of preference, else the locale does. Japanese for "ja", English for
// any other language.
Language languageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages, const char* lang);
// The same, from this process's environment.
Language languageFromEnvironment();

// The language of every text the core gives from now on (Japanese until set).
void setLanguage(Language language);
Language currentLanguage();

// The text in the current language: the Japanese text itself, or its English translation. A text the
// catalogue lacks stays Japanese (the catalogue test names it).
const char* _(const char* japanese);

// The text with %1, %2 ... replaced by the arguments, in the order the text names them.
std::string fill(std::string_view text, std::initializer_list<std::string_view> arguments);

// The English catalogue (generated from translations/core_en.po): the English of a Japanese text, or
// nullptr.
const char* englishOf(std::string_view japanese);

}  // namespace vantoli

// Marks a text for the catalogue where it is kept untranslated (a constant); _() translates it where used.
#define N_(japanese) japanese
