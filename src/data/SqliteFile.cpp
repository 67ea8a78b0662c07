#include "data/SqliteFile.h"

#include <QFile>
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

bool createPrivate(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void guardedAs(const QString& copy, const QString& database)
{
    // Not being able to is no reason to lose the copy: it stays as made.
    QFile::setPermissions(copy, QFile::permissions(database));
}

}  // namespace sqlitefile
