#include "kit/Dates.h"

#include <QDateEdit>
#include <QFontMetrics>
#include <QLocale>
#include <algorithm>

namespace dates {

static const QString ShownFormat = QStringLiteral("dd/MMM/yyyy");

static const QLocale& english()
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

void setUpPicker(QDateEdit* picker)
{
    picker->setLocale(english());
    picker->setDisplayFormat(ShownFormat);
    picker->setCalendarPopup(true);

    // Qt sizes a picker for its first and last dates (14/Sep/1752,
    // 31/Dec/9999); a month of wider letters ("May") would lose its last
    // digit beside the drop-down arrow.
    const QFontMetrics metrics = picker->fontMetrics();
    int widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, metrics.horizontalAdvance(shown(QDate(2026, month, 28))));
    const int sized = metrics.horizontalAdvance(shown(picker->maximumDate()));
    picker->setMinimumWidth(picker->sizeHint().width() + std::max(0, widest - sized));
}

}  // namespace dates
