#include "data/SqlText.h"

#include "kit/NumericText.h"

namespace sql {

QString text(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString number(double value)
{
    return numeric::numberText(value);
}

QString number(int value)
{
    return QString::number(value);
}

QString date(const QDate& value)
{
    return QLatin1Char('#') + value.toString(Qt::ISODate) + QLatin1Char('#');
}

}  // namespace sql
