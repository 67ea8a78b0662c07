#include "data/SqliteFile.h"

#include <QFileInfo>
#include <QUrl>

namespace sqlitefile {

QString uri(const QString& path, Access access)
{
    // QUrl leaves ';' as it is, since a URI may hold one; the connection string may not.
    QString named = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())
                        .toString(QUrl::FullyEncoded)
                        .replace(QLatin1Char(';'), QLatin1String("%3B"));
    if (access == Access::ReadOnly)
        named += QStringLiteral("?mode=ro");
    return named;
}

}  // namespace sqlitefile
