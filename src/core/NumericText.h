#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <optional>

// Typed text to numbers and numbers to text, the one way every screen does it.
namespace numeric {

// True for an optional sign, digits with at most one decimal point and an
// optional exponent, blanks around allowed ("12", " -3.5 ", ".5", "1e3").
// The decimal point is '.' or the current locale's decimal separator, so
// "5,5" is 5.5 where a comma is the decimal separator (and nowhere else).
// Thousands separators are never accepted.
bool isNumeric(const QString& text);

// The text with the decimal digits of any script (a keyboard of
// Arabic-Indic digits) as ASCII '0' to '9'.
QString asciiDigits(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// A half is a half in decimals: 0.1 + 0.2 + 2.2, which binary makes a hair
// more than 2.5, gives 2, whichever engine or screen added it up.
double roundHalfEven(double value);

// Throws Failure("Type mismatch") for non-numeric text, Failure("Overflow") out of range.
// Accepts what isNumeric accepts.
double toDouble(const QString& text);
// The largest amount, price or percentage typed, either way. A line's
// figures (up to 32767 times it, with its tax) stay finite; far beyond, they
// become infinite, which empties a day's totals. They keep 15 digits, as the
// file's driver hands them over, so the largest lose their paisa.
inline constexpr double LargestTypedAmount = 1e9;
// A typed amount, price or percentage: as toDouble, and Failure("Overflow")
// beyond LargestTypedAmount either way.
double toAmount(const QString& text);

// Rounded half to even; Failure("Overflow") outside -32768..32767.
qint16 toInt16(const QString& text);
qint16 toInt16(double value);

// Stored values: Failure("Invalid use of Null") for a Null, conversions as above.
double toDouble(const QVariant& value);
qint16 toInt16(const QVariant& value);

// The number a text spells as QString::number would: digits after an
// optional minus, no leading zero, no sign or blank else (up to 9 digits).
// How a stored whole number is told by the text it shows.
std::optional<int> plainWholeNumber(QStringView text);

// Plain decimal text with up to 15 significant digits and at most 6
// decimals (a ten-thousandth of a paisa), a '.' point whatever the locale,
// never an exponent: 200, 45.5, 1234567.5, 0.000001.
QString numberText(double value);
// The figure numberText writes, and so the one a statement stores: below
// 1e9, rounded half to even to 6 decimals.
double asWritten(double value);

}  // namespace numeric
