#include "core/TypedKeys.h"

#include <QList>

namespace typedkeys {

bool isTypedCharacter(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return codePoints.size() == 1 && QChar::isPrint(char32_t(codePoints.first()));
}

QString capitalOf(const QString& typed)
{
    const char32_t code = typed.toUcs4().first();
    const char32_t capital = QChar::toUpper(code);
    if (!QChar::isLetter(code) || capital == code)
        return typed;
    return QString::fromUcs4(&capital, 1);
}

}  // namespace typedkeys
