#include "data/RunDatabase.h"

#include <QFileInfo>
#include <QUrl>

namespace rundatabase {

const QString DataSourceConnectionString = QStringLiteral("DSN=Bill;userID=Admin;Password=14NOVTEX");

namespace {

QString& archive()
{
    static QString path;
    return path;
}

}  // namespace

QString connectionString()
{
    if (archive().isEmpty())
        return DataSourceConnectionString;
    // A read-only URI: SQLite opens the file for reading only. A ';' would
    // end the connection string's value, so it is written as the URI's %3B.
    const QString uri = QUrl::fromLocalFile(archive()).toString(QUrl::FullyEncoded).replace(QLatin1Char(';'),
                                                                                              QLatin1String("%3B"));
    return QStringLiteral("DRIVER=SQLite3;Database=%1?mode=ro;NoCreat=1").arg(uri);
}

void useArchive(const QString& path)
{
    archive() = QFileInfo(path).absoluteFilePath();
}

void useDataSource()
{
    archive().clear();
}

QString archivePath()
{
    return archive();
}

}  // namespace rundatabase
