#include "data/SqlText.h"

#include "core/NumericText.h"

namespace sql {

namespace {

// The first character of the last plane (private use only), which the SQLite
// ODBC driver reads back as another character.
constexpr char32_t LastPlane = 0x100000;

}  // namespace

QString storable(const QString& value)
{
    QString kept;
    kept.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            const QChar low = value.at(++i);
            if (QChar::surrogateToUcs4(c, low) < LastPlane) {
                kept += c;
                kept += low;
            }
        } else if (!c.isNull() && !c.isSurrogate()) {
            kept += c;
        }
    }
    qsizetype marks = 0;
    while (marks < kept.size() && (kept.at(marks) == QChar(0xFEFF) || kept.at(marks) == QChar(0xFFFE)))
        ++marks;
    return kept.mid(marks);
}

QString text(const QString& value)
{
    QString quoted = storable(value);
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString containing(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size() + 2);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return text(QLatin1Char('%') + escaped + QLatin1Char('%')) + QStringLiteral(" ESCAPE '\\'");
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
