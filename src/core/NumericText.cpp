#include "core/NumericText.h"

#include "core/Failure.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace numeric {

// The typed text as the C locale writes it: ASCII digits for the digits of
// any script (a keyboard of Arabic-Indic digits), and '.' for the locale's
// decimal separator (a shop where the comma is the decimal separator types
// "5,5"). A point stays a decimal point in every locale, as the program
// itself writes figures (and a keypad gives it): numbers take no thousands
// separator. Read when called, so the locale in force counts.
static QString plainNumberText(const QString& text)
{
    QString plain = asciiDigits(text);
    const QString separator = QLocale().decimalPoint();
    if (separator.isEmpty() || separator == QLatin1String("."))
        return plain;
    return plain.replace(separator, QLatin1String("."));
}

QString asciiDigits(const QString& text)
{
    QString plain = text;
    for (QChar& character : plain) {
        if (character.unicode() > 0x7F && character.category() == QChar::Number_DecimalDigit)
            character = QChar(char16_t(u'0' + character.digitValue()));
    }
    return plain;
}

bool isNumeric(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return pattern.match(plainNumberText(text)).hasMatch();
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    // The hair: what binary sums of decimal figures, or the SQLite driver's
    // 15-digit text of a sum, put beside a decimal half (a few parts in 10^16
    // per line added); at most 10^-4, so that a figure of 4 decimals stays itself.
    const double hair = std::min(std::abs(value) * 1e-12, 1e-4);
    if (std::abs(fraction - 0.5) <= hair)
        return std::fmod(below, 2.0) == 0 ? below : below + 1;
    return fraction > 0.5 ? below + 1 : below;
}

double toDouble(const QString& text)
{
    if (!isNumeric(text))
        throw Failure(QStringLiteral("Type mismatch"));
    const double value = plainNumberText(text).trimmed().toDouble();  // QString parses in the C locale
    if (!std::isfinite(value))
        throw Failure(QStringLiteral("Overflow"));
    return value;
}

double toAmount(const QString& text)
{
    const double value = toDouble(text);
    if (std::abs(value) > LargestTypedAmount)
        throw Failure(QStringLiteral("Overflow"));
    return value;
}

qint16 toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        throw Failure(QStringLiteral("Overflow"));
    return static_cast<qint16>(rounded);
}

qint16 toInt16(const QString& text)
{
    return toInt16(toDouble(text));
}

static void refuseNull(const QVariant& value)
{
    if (value.isNull())
        throw Failure(QStringLiteral("Invalid use of Null"));
}

double toDouble(const QVariant& value)
{
    refuseNull(value);
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok)
        return number;
    return toDouble(value.toString());
}

qint16 toInt16(const QVariant& value)
{
    return toInt16(toDouble(value));
}

double asWritten(double value)
{
    // To a ten-thousandth of a paisa: no shop's figure has more decimals,
    // and what binary arithmetic leaves beyond them is none of its figures
    // (291.905999999999 for 2919.06 at 90 % off, -3.55e-15 for 10.1 + 20.2
    // - 30.3). From 1e9 on, 15 digits keep no more decimals than that.
    return std::abs(value) < 1e9 ? roundHalfEven(value * 1e6) / 1e6 : value;
}

QString numberText(double value)
{
    value = asWritten(value);
    if (value == 0)
        return QStringLiteral("0");  // never "-0"
    // Whole numbers (every rounded total) the quick way; the same digits.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    // No exponent, which a box or column too narrow for it cuts off: the
    // same 15 digits written out (0.000001, 1307912999999672).
    const QString general = QString::number(value, 'g', 15);
    const qsizetype e = general.indexOf(QLatin1Char('e'));
    if (e < 0)
        return general;
    const int exponent = general.mid(e + 1).toInt();
    if (exponent >= 0)
        return QString::number(value, 'f', 0);
    QString plain = QString::number(value, 'f', 14 - exponent);
    while (plain.endsWith(QLatin1Char('0')))
        plain.chop(1);
    return plain;
}

std::optional<int> plainWholeNumber(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 9 || (digits.front() == u'0' && (digits.size() > 1 || negative)))
        return std::nullopt;
    int number = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return std::nullopt;
        number = number * 10 + (digit.unicode() - u'0');
    }
    return negative ? -number : number;
}

}  // namespace numeric
