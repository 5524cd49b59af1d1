#pragma once
// The windows' texts in the user's language. Japanese is the source language: every text is written
// in Japanese here, and translations/vantoli_en.ts, compiled into the program, holds its English.
// A text shown with showText keeps its Japanese source and context on the control, so that a change
// of language (Qt's LanguageChange) shows it anew in every open window.

#include <QString>

#include "core/language.h"

class QObject;

namespace vantoli {

// A Japanese text and the context it is translated in (lupdate reads ja() as it reads translate()).
struct Ja {
    const char* context;
    const char* text;
};
constexpr Ja ja(const char* context, const char* text) { return {context, text}; }

// The text in the current language.
QString translated(Ja text);
QString translated(const char* context, const char* text);

// Shows the text on a label, button, check box, group box, menu, menu item or as a window's title, now
// and after every change of language.
void showText(QObject* control, Ja text);
void showText(QObject* control, const char* context, const char* text);
void showToolTip(QObject* control, Ja text);
void showToolTip(QObject* control, const char* context, const char* text);
void showPlaceholder(QObject* control, Ja text);

// The language chosen in the Settings menu, kept in the settings file.
enum class LanguageChoice { System, Japanese, English };
Language languageOf(LanguageChoice choice);

// Speaks the language from now on in every window, the core's messages included: loads its
// translations (English from the program's resources; Qt's own Japanese for its dialogs in Japanese)
// and lets every open window show its texts anew.
void useLanguage(Language language);

// "ja" or "en": the language the windows speak now.
QString languageCode();

}  // namespace vantoli
