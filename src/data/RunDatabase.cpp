#include "data/RunDatabase.h"

#include "data/DataSource.h"
#include "data/SqliteFile.h"

#include <QFileInfo>

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
    return QStringLiteral("DRIVER=SQLite3;Database=%1;NoCreat=1")
        .arg(sqlitefile::uri(archive(), sqlitefile::Access::ReadOnly));
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

QString ownFileOf(const QString& path)
{
    // With a closed year open, the shop's own database is most likely beside it.
    for (const QString& database : {archive(), datasource::sqliteFile(DataSourceConnectionString)}) {
        if (database.isEmpty())
            continue;
        if (const QString ownFile = sqlitefile::ownFileOf(database, path); !ownFile.isEmpty())
            return ownFile;
    }
    return {};
}

}  // namespace rundatabase
