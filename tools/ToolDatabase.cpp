#include "ToolDatabase.h"

#include "core/Failure.h"
#include "data/AdminTool.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqliteFile.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace tooldb {

QString CommandLine::value(const char* name) const
{
    return options.value(QLatin1String(name));
}

bool CommandLine::isSet(const char* name) const
{
    return options.isSet(QLatin1String(name));
}

QString seeHelp()
{
    return QStringLiteral("(see %1)").arg(admintool::command(QStringLiteral("--help")));
}

QString fileToReadProblem(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("%1 does not exist").arg(path);
    if (file.isDir())
        return QStringLiteral("%1 is a folder, not a file").arg(path);
    return {};
}

namespace {
QString isAnArchive(const QString& path)
{
    return QStringLiteral("%1 is a closed year's archive (open it with %2)")
        .arg(path, admintool::program(QStringLiteral("--archive ") + admintool::shellWord(path)));
}
}  // namespace

QString archiveProblem(const QString& path)
{
    return sqlitefile::isArchive(path) ? isAnArchive(path) : QString();
}

namespace {
// The data source's file when it is a closed year's archive (its header read
// before this process opens it); empty otherwise.
QString archiveBehindDataSource()
{
    const QString& name = datasource::ProgramDataSource;
    if (!datasource::isSqlite(name))
        return {};
    const QString database = datasource::setting(name, QStringLiteral("Database"));
    return !database.isEmpty() && sqlitefile::isArchive(database) ? QFileInfo(database).absoluteFilePath() : QString();
}
}  // namespace

void open(Connection& connection, const QString& namedFile)
{
    // An archive behind the data source is opened as one named: the data
    // source's connection would turn it to write-ahead logging.
    if (namedFile.isEmpty())
        if (const QString archive = archiveBehindDataSource(); !archive.isEmpty()) {
            open(connection, archive);
            return;
        }
    if (!namedFile.isEmpty()) {
        if (!QFileInfo::exists(namedFile))
            throw Failure(QStringLiteral("%1 does not exist (create it with %2)")
                              .arg(namedFile, admintool::command(QStringLiteral("init"))));
        // A shop's database is in its write-ahead log already; an archive or
        // a backup named here stays as it was made.
        connection.open(schema::sqliteConnectionString(QFileInfo(namedFile).absoluteFilePath(),
                                                       schema::Journal::AsTheFileHasIt));
        return;
    }
    try {
        connection.open();
    } catch (const DbError& error) {
        if (error.unavailable())
            throw;  // the database's state, told as it is: no set-up is wrong
        const QString description = error.description();
        throw Failure(description + (description.endsWith(QLatin1Char('.')) ? " " : ". ")
                      + datasource::setupAdvice(datasource::ProgramDataSource, description));
    }
}

void openToChange(Connection& connection, const QString& namedFile)
{
    open(connection, namedFile);
    if (onServer(connection))
        return;
    RecordSet id;
    id.open(QStringLiteral("PRAGMA application_id"), connection);
    if (!id.eof() && sqlitefile::isArchiveId(id.field(0).toLongLong())) {
        const QString path = file(namedFile);
        connection.close();
        throw Failure(isAnArchive(path) + QStringLiteral("; nothing was changed"));
    }
}

QString file(const QString& namedFile)
{
    if (!namedFile.isEmpty())
        return QFileInfo(namedFile).absoluteFilePath();
    const QString& name = datasource::ProgramDataSource;
    if (!datasource::isDefined(name))
        throw Failure(QStringLiteral("the data source %1 is not defined; name the database with --database FILE")
                          .arg(name));
    const QString driver = datasource::setting(name, QStringLiteral("Driver"));
    const QString database = datasource::setting(name, QStringLiteral("Database"));
    if (!datasource::isSqlite(name) || database.isEmpty())
        throw Failure(QStringLiteral("the data source %1 is no SQLite database file (driver %2); use the "
                                     "tools of its own engine")
                          .arg(name, driver));
    return QFileInfo(datasource::databaseFile(database)).absoluteFilePath();
}

bool onServer(const Connection& connection)
{
    return connection.dialect().engine() != QLatin1String("SQLite");
}

}  // namespace tooldb
