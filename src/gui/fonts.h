#pragma once
// The fonts the windows ask for, and where they come from on a machine without them.

#include <QFont>

class QLabel;

namespace vantoli {

// Maps the window font "MS UI Gothic" and the report's fixed-pitch "ＭＳ ゴシック" to the IPA Gothic fonts
// (IPAGothic is fixed-pitch with full-width characters exactly two half-width cells wide), and the About
// window's "Impact" and "Arial Narrow" to Nimbus Sans Narrow. Call once after the QApplication exists.
void registerFontSubstitutions();

// Where no desktop names the system's font and Qt has only fontconfig's generic sans-serif, draws that
// family with the window font's face. Otherwise a Japanese interface is drawn with two Japanese Gothic
// faces of several megabytes each: the window font's, and the one fontconfig finds, after a search at
// start-up, for the Japanese of the menus and the dialogs' buttons. A Japanese desktop's fontconfig
// gives the generic family a Japanese face in the same way. The application font names the face too,
// so that Qt looks for fallback faces for one family rather than two. Call before the first window is
// built.
void drawGenericFamilyWithWindowFace();

// "MS UI Gothic", 9 point: every window's font. Where it is not installed the font names its first
// installed substitute instead (see registerFontSubstitutions).
QFont windowFont();

// "ＭＳ ゴシック", 9 point, fixed pitch: the report text; likewise its substitute where it is missing.
QFont reportFont();

// Narrows the label's font, a few per cent at a time and at most to 85 % of its width, until its text
// fits inside the label; a text that fits keeps the font at full width. The substitute fonts are wider
// than the ones the layout was drawn for, and "100分テープ" would otherwise lose its first digit.
void condenseToFit(QLabel* label);

}  // namespace vantoli
