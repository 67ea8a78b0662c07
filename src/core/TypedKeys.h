#pragma once

#include <QString>

// What a typed key writes, as the screens' key rules see it.
namespace typedkeys {

// One printable character, as a key types it (a character beyond the basic
// plane comes as two UTF-16 units).
bool isTypedCharacter(const QString& text);

// The capital of a typed letter, when the letter has one of a single
// character (ß has none); anything else as typed.
QString capitalOf(const QString& typed);

// The text as typing it under the capitals rule writes it: every letter
// its capital (capitalOf), anything else as it is.
QString capitals(const QString& text);

// Pasted or imported text as typing could have written it into a box: a
// tab, a line break or another control character, which no key types there,
// becomes a blank.
QString asOneLine(const QString& text);

}  // namespace typedkeys
