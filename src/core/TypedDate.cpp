#include "core/TypedDate.h"

#include <QStringList>

namespace dates {

namespace {

// The text cut into runs of digits and runs of letters; empty when it holds
// anything else than those and the separators.
QStringList parts(const QString& text)
{
    QStringList found;
    QString run;
    const auto endRun = [&] {
        if (!run.isEmpty())
            found << run;
        run.clear();
    };
    for (const QChar c : text) {
        if (!isDateCharacter(c))
            return {};
        const bool digit = isFigure(c);
        if (!digit && !c.isLetter()) {  // a separator
            endRun();
            continue;
        }
        if (!run.isEmpty() && run.back().isDigit() != digit)
            endRun();
        run += c;
    }
    endRun();
    return found;
}

bool allDigits(const QString& part)
{
    return !part.isEmpty() && part.front().isDigit();
}

// 1 to 12, or 0 for no month.
int monthOf(const QString& part)
{
    if (allDigits(part))
        return part.size() <= 2 ? part.toInt() : 0;
    static const QStringList names{"january", "february", "march", "april", "may", "june", "july",
                                   "august", "september", "october", "november", "december"};
    int month = 0;
    for (int i = 0; i < names.size(); ++i) {
        if (!names.at(i).startsWith(part.toLower()))
            continue;
        if (month != 0)
            return 0;  // the start of two names
        month = i + 1;
    }
    return month;
}

// The year of its four digits, or two of this century once typed whole; 0 for none.
int yearOf(const QString& part, Typed typed)
{
    if (!allDigits(part))
        return 0;
    if (part.size() == 4)
        return part.toInt();
    return part.size() == 2 && typed == Typed::Whole ? 2000 + part.toInt() : 0;
}

QDate dayMonthYear(const QString& day, const QString& month, int year)
{
    if (!allDigits(day) || day.size() > 2 || year == 0)
        return {};
    const int monthNumber = monthOf(month);
    return monthNumber == 0 ? QDate() : QDate(year, monthNumber, day.toInt());
}

}  // namespace

bool isFigure(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isDateCharacter(QChar c)
{
    const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    return isFigure(c) || letter || QStringView(u"/-. ,").contains(c);
}

QDate typedDate(const QString& text, const QDate& shown, Typed typed)
{
    const QStringList typedParts = parts(text);
    if (typedParts.isEmpty() || !allDigits(typedParts.first()))
        return {};
    const QString& first = typedParts.first();
    switch (typedParts.size()) {
    case 1:
        // Digits alone: a day, a day and a month, or a whole date.
        if (first.size() <= 2)
            return QDate(shown.year(), shown.month(), first.toInt());
        if (first.size() == 4)
            return dayMonthYear(first.left(2), first.mid(2), shown.year());
        if (first.size() == 6 || first.size() == 8)
            return dayMonthYear(first.left(2), first.mid(2, 2), yearOf(first.mid(4), typed));
        return {};
    case 2:
        return dayMonthYear(first, typedParts.at(1), shown.year());
    case 3:
        if (first.size() == 4)  // ISO: the year first
            return dayMonthYear(typedParts.at(2), typedParts.at(1), yearOf(first, typed));
        return dayMonthYear(first, typedParts.at(1), yearOf(typedParts.at(2), typed));
    default:
        return {};
    }
}

}  // namespace dates
