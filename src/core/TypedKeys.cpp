#include "core/TypedKeys.h"

#include <QList>

namespace typedkeys {

namespace {

// A letter's capital of a single character (ß has none: it stays); any
// other character as it is.
char32_t capitalCode(char32_t code)
{
    return QChar::isLetter(code) ? QChar::toUpper(code) : code;
}

}  // namespace

bool isTypedCharacter(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return codePoints.size() == 1 && QChar::isPrint(char32_t(codePoints.first()));
}

QString capitalOf(const QString& typed)
{
    const char32_t code = typed.toUcs4().first();
    const char32_t capital = capitalCode(code);
    return capital == code ? typed : QString::fromUcs4(&capital, 1);
}

QString capitals(const QString& text)
{
    QList<uint> codePoints = text.toUcs4();
    for (uint& code : codePoints)
        code = capitalCode(char32_t(code));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), codePoints.size());
}

QString asOneLine(const QString& text)
{
    QString line = text;
    for (QChar& unit : line)
        if (const QChar::Category category = unit.category(); category == QChar::Other_Control
            || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            unit = QLatin1Char(' ');
    return line;
}

}  // namespace typedkeys
