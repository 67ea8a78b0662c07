#include "core/Dates.h"

#include <QLocale>

namespace dates {

const QString ShownFormat = QStringLiteral("dd/MMM/yyyy");

const QLocale& english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString shown(const QDate& date)
{
    return english().toString(date, ShownFormat);
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

}  // namespace dates
