#include "InitCommand.h"

#include "InitTurn.h"
#include "ServerInitCommand.h"
#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/AdminTool.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "data/Schema.h"

#include <QFileInfo>
#include <QTextStream>

const char* const InitHelp = R"(  init [--database FILE] [--if-missing]
      Creates a new database (default: ~/.local/share/bill/Bill.db) with every
      table and the user "Admin" (password "ADMIN"), and defines the ODBC data
      source "Bill" for this user unless one is defined already (in the file
      "odbcinst -j" names as USER DATA SOURCES; $ODBCINI when set). An
      existing database is never overwritten: that is an error; with
      --if-missing it is kept, and the data source is defined for it when
      there is none (a file there that is no database of this program is
      an error).
)";

namespace {

// The one command that defines the data source for an existing database.
QString defineCommand(bool databaseNamed, const QString& path)
{
    return admintool::command(databaseNamed ? QStringLiteral("init --if-missing --database ") + admintool::shellWord(path)
                                            : QStringLiteral("init --if-missing"));
}

// A data source is defined only for a database of this program: one for
// another file would only fail at the next login.
void requireProgramDatabase(const QString& path)
{
    const QString notDefined = QStringLiteral("the data source %1 was not defined").arg(datasource::ProgramDataSource);
    if (const QString problem = tooldb::fileToReadProblem(path); !problem.isEmpty())
        throw Failure(QStringLiteral("%1; %2").arg(problem, notDefined));
    if (const QString problem = tooldb::archiveProblem(path); !problem.isEmpty())
        throw Failure(QStringLiteral("%1; %2").arg(problem, notDefined));
    QStringList missing;
    try {
        Connection connection;
        tooldb::open(connection, path);
        RecordSet tables;
        tables.open(QStringLiteral("select lower(name) from sqlite_master where type = 'table'"), connection);
        QStringList found;
        for (; !tables.eof(); tables.moveNext())
            found << tables.field(0).toString();
        for (const QString& table : schema::columnNames().keys())
            if (!found.contains(table))
                missing << table;
        missing.sort();
    } catch (const Failure& failure) {
        throw Failure(QStringLiteral("%1 cannot be opened as a database (%2); %3")
                          .arg(path, dberrors::reason(failure), notDefined));
    }
    if (!missing.isEmpty())
        throw Failure(QStringLiteral("%1 is no database of this program (it has no table %2); %3")
                          .arg(path, missing.first(), notDefined));
}

void define(const QString& path, QTextStream& out)
{
    datasource::defineSqlite(datasource::ProgramDataSource, path);
    out << "Defined the data source " << datasource::ProgramDataSource << " for the database " << path << " in "
        << datasource::userDefinitionsPlace() << "\n";
}

}  // namespace

int init(const tooldb::CommandLine& line, QTextStream& out)
{
    const bool ifMissing = line.isSet("if-missing");
    const bool databaseNamed = line.isSet("database");
    if (databaseNamed && line.isSet("server"))
        throw Failure(QStringLiteral("init takes --database FILE or --server ADDRESS, not both"));
    if (line.isSet("from") && !line.isSet("server"))
        throw Failure(QStringLiteral("init --from FILE copies a database file into a server's: it takes --server ADDRESS"));
    // The menu entry's start on an account set up already waits for no turn
    // (another run may hang on a server that does not answer).
    if (ifMissing && !databaseNamed && !line.isSet("server") && datasource::isDefined(datasource::ProgramDataSource))
        return 0;
    const InitTurn turn;
    if (line.isSet("server"))
        return initServer(line.value("server"), ifMissing, line.value("from"), out);
    const QString path = QFileInfo(databaseNamed ? line.database() : datasource::defaultDatabasePath()).absoluteFilePath();
    const bool defined = datasource::isDefined(datasource::ProgramDataSource);

    // A data source already defined is the shop's own choice of database.
    if (ifMissing && !databaseNamed && defined)
        return 0;
    if (QFileInfo::exists(path)) {
        if (!ifMissing)
            throw Failure(defined ? QStringLiteral("%1 already exists; it is left as it is.").arg(path)
                                  : QStringLiteral("%1 already exists; it is left as it is. The data source %2 is "
                                                   "not defined; to define it for this database: %3")
                                        .arg(path, datasource::ProgramDataSource, defineCommand(databaseNamed, path)));
        if (!defined) {
            requireProgramDatabase(path);
            define(path, out);
        }
        return 0;
    }
    try {
        schema::createSqliteDatabase(path);
    } catch (const Failure&) {
        // Made meanwhile by a run that takes no turn (an older billdb): a
        // database is put at its name only whole, so it is kept, as above.
        // That run defines the data source.
        if (!ifMissing || !QFileInfo::exists(path))
            throw;
        return 0;
    }
    out << "Created the database " << path << " (user Admin, password " << schema::InitialPassword << ")\n";

    if (defined) {
        const QString current = datasource::setting(datasource::ProgramDataSource, QStringLiteral("Database"));
        out << "The data source " << datasource::ProgramDataSource << " is already defined"
            << (current.isEmpty() ? QString() : QStringLiteral(" (database ") + current + QLatin1Char(')'))
            << "; it was left as it is.\n";
    } else {
        define(path, out);
    }
    return 0;
}
