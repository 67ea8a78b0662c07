#include "core/Dates.h"

#include <QLocale>

namespace dates {

const QString ShownFormat = QStringLiteral("dd/MMM/yyyy");

const QLocale& english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

// Written digit by digit for the years of four digits: a grid or a report
// of many rows shows a date in each, and the locale's formatter takes ten
// times as long. English months whatever the locale.
QString shown(const QDate& date)
{
    static const char Months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const int year = date.year();
    if (!date.isValid() || year < 1000 || year > 9999)
        return english().toString(date, ShownFormat);
    const int day = date.day();
    const char* month = Months + 3 * (date.month() - 1);
    const char text[11] = {char('0' + day / 10), char('0' + day % 10), '/', month[0], month[1], month[2], '/',
                           char('0' + year / 1000), char('0' + year / 100 % 10), char('0' + year / 10 % 10),
                           char('0' + year % 10)};
    return QString::fromLatin1(text, 11);
}

QDate parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (!date.isValid())
        date = english().toDate(trimmed, ShownFormat);
    if (!date.isValid())
        date = english().toDate(trimmed, QStringLiteral("d/MMM/yyyy"));
    return date;
}

QDate fromStored(const QVariant& value)
{
    const QDate date = value.toDate();
    return date.isValid() ? date : parse(value.toString());
}

namespace {
QDate setDay;
}  // namespace

QDate today()
{
    return setDay.isValid() ? setDay : QDate::currentDate();
}

void setToday(const QDate& day)
{
    setDay = day;
}

}  // namespace dates
