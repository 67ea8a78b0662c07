#include "data/DataSource.h"

// Connection strings read as the driver manager reads them.
namespace datasource {

QString unbraced(const QString& value)
{
    const QString trimmed = value.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(QLatin1Char('{')) || !trimmed.endsWith(QLatin1Char('}')))
        return trimmed;
    return trimmed.mid(1, trimmed.size() - 2).replace(QStringLiteral("}}"), QStringLiteral("}"));
}

QStringList connectionParts(const QString& odbcName)
{
    QStringList parts;
    QString part;
    bool inBraces = false;
    for (qsizetype at = 0; at < odbcName.size(); ++at) {
        const QChar c = odbcName.at(at);
        if (inBraces) {
            part += c;
            if (c == QLatin1Char('}')) {
                if (at + 1 < odbcName.size() && odbcName.at(at + 1) == QLatin1Char('}'))
                    part += odbcName.at(++at);  // '}' written twice stands for one
                else
                    inBraces = false;
            }
        } else if (c == QLatin1Char(';')) {
            if (!part.trimmed().isEmpty())
                parts << part;
            part.clear();
        } else {
            // A value that opens with a brace runs to its closing one.
            if (c == QLatin1Char('{') && part.trimmed().endsWith(QLatin1Char('=')))
                inBraces = true;
            part += c;
        }
    }
    if (!part.trimmed().isEmpty())
        parts << part;
    return parts;
}

}  // namespace datasource
