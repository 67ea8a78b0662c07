#pragma once

#include <QDate>
#include <QString>

namespace dates {

// How far the operator has typed: still typing, a year of two digits may
// be the start of four; finished, it is this century's.
enum class Typed { SoFar, Whole };

// The date an operator types into a date box, read against the date the box
// showed (its month and year fill what is not typed): "5" is the 5th of
// that month; "5/3", "5 Mar" or "5mar" the 5th of March of that year;
// "5/3/2026", "05-Mar-26", "5.3.26", "05032026" and "2026-03-05" a whole
// date. A month is its number or the start of its English name that no
// other month's shares ("Ju" is none, "Jun" June). Day before month, never
// guessed from the locale. An invalid QDate when the text is no date (yet).
QDate typedDate(const QString& text, const QDate& shown, Typed typed);

// The characters a typed date is made of: figures, English letters and the
// separators / - . , and a blank.
bool isDateCharacter(QChar c);
bool isFigure(QChar c);

}  // namespace dates
