#include "core/ShiftText.h"

#include "core/Failure.h"

#include <algorithm>

namespace password {

QString ShiftText(const QString& text, qint16 key)
{
    // The codes whose shifted code stays a single byte.
    const int lowest = std::max(0, -int(key));
    const int highest = std::min(255, 255 - int(key));
    QString shifted;
    shifted.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < lowest || c.unicode() > highest)
            throw Failure(QStringLiteral("The character \"%1\" cannot be used in a password: it holds only "
                                         "characters of codes %2 to %3 (\"%4\" is the last).")
                              .arg(QString(c), QString::number(lowest), QString::number(highest),
                                   QString(QChar(highest))));
        shifted += QChar(c.unicode() + key);
    }
    return shifted;
}

}  // namespace password
