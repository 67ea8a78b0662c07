#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class QLocale;

namespace dates {

// The form dates are shown in, and the locale of its month names.
extern const QString ShownFormat;
const QLocale& english();

// The day the screens date what is made by: the system's today, or the day
// a test set (a screen left open past midnight, without a clock to move).
QDate today();
// Sets the day today() gives; an invalid date gives the system's again.
void setToday(const QDate& day);

// "dd/MMM/yyyy" with English month abbreviations whatever the locale: 04/Dec/2026.
QString shown(const QDate& date);

// Reads "dd/MMM/yyyy" (English month) or ISO "yyyy-MM-dd"; an invalid QDate otherwise.
// Day/month order is never guessed from the locale.
QDate parse(const QString& text);

// A date column's stored value: a date, or text in a form parse() reads;
// an invalid QDate otherwise.
QDate fromStored(const QVariant& value);

}  // namespace dates
