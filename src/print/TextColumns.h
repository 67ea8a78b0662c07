#pragma once

#include <QString>
#include <QStringView>

// The columns a text takes on paper, where each column is one character of
// the fixed-pitch font: an ideograph, a kana or a Hangul syllable is drawn
// about twice as wide as a Latin letter, a vowel sign or accent that combines
// with the character before it takes no room of its own, and a character
// outside the Basic Multilingual Plane (two QChars) is still one character.
// The widths are Unicode's, as a terminal counts them, whatever the locale.
namespace print {

// The character at `at`, moving `at` past it (past both halves of a
// surrogate pair; a half without its partner is a character of its own).
char32_t nextCharacter(QStringView text, qsizetype& at);

// 2 for East Asian wide and fullwidth characters, 0 for combining marks
// (Mn, Me), format characters (Cf) and the Hangul vowels and final
// consonants that join a syllable, 1 for any other.
int characterColumns(char32_t character);

int textColumns(QStringView text);

// The length, in QChars, of the longest start of the text that takes at
// most `columns` columns, in whole letters: a character with the marks and
// signs that follow it (a consonant with its vowel sign, an emoji with its
// skin tone) fits whole or not at all, and so does a wide character.
qsizetype fittingLength(QStringView text, int columns);
// The length, in QChars, of the text's first letter, as fittingLength()
// counts letters.
qsizetype firstLetterLength(QStringView text);

}  // namespace print
