#pragma once

#include <QDate>
#include <QString>

// Values written into SQL text. Every text value goes through text().
namespace sql {

// 'text' with each embedded apostrophe doubled, so no text can end the
// literal early, of the text as storable() keeps it.
QString text(const QString& value);

// The text as it can be stored and read back unchanged: without NUL
// characters (the driver ends the statement there), unpaired surrogates (no
// character at all), characters of the last plane, U+100000 and above (for
// private use only; the driver reads them back as others) and byte-order
// marks at its start (dropped or taken as a byte order when the text is read
// back). Any other text is kept as it is.
QString storable(const QString& value);

// The pattern that Like matches to a text containing the value, every
// character of it as it stands ('%' and '_' too), with its ESCAPE clause:
// '%50\%%' ESCAPE '\'.
QString containing(const QString& value);

// Plain decimal text with a '.' point and up to 15 significant digits.
QString number(double value);
QString number(int value);

// #yyyy-MM-dd#: the date literal the screens write; the dialect turns it into
// the engine's own form. ISO is the short date text because its order of day
// and month cannot be misread.
QString date(const QDate& value);

}  // namespace sql
