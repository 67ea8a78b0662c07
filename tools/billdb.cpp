// billdb: creates the database and the data source "Bill", keeps the shop's
// letterhead and the stock's selling prices, backs the database up, restores
// and checks it.

#include "BackupCommand.h"
#include "CheckCommand.h"
#include "MrpCommand.h"
#include "RestoreCommand.h"
#include "ServerInitCommand.h"
#include "ToolDatabase.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "kit/Failure.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

const char* Usage = R"(Usage: billdb COMMAND [OPTIONS]

Commands:
  init [--database FILE] [--if-missing]
      Creates a new database (default: ~/.local/share/bill/Bill.db) with every
      table and the user "Admin" (password "ADMIN"), and defines the ODBC data
      source "Bill" for this user unless one is defined already (in the file
      "odbcinst -j" names as USER DATA SOURCES; $ODBCINI when set). An
      existing database is never overwritten: that is an error; with
      --if-missing it is kept, and the data source is defined for it when
      there is none.
)";

const char* const UsageOthers = R"(  shop [--database FILE] [--name TEXT] [--address1 TEXT] [--address2 TEXT]
       [--city TEXT] [--phone TEXT]
      Sets the shop's letterhead printed on every document; values not given
      keep what they were.
  mrp (--code CODE | --item NAME) [--batch BATCH] --price PRICE
      Sets the selling price (MRP) of one stock batch, or of every batch of
      an item code or item name; the simple bill screen prices lines at it.
      Says how many batches changed; nothing matching is an error. Works on
      the database of the data source "Bill".
)";

const char* const UsageEnd = R"(  --help
      Shows this text.

Without --database, "shop", "backup", "restore" and "check" work on the
database of the data source "Bill".
)";

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

struct Arguments {
    QString command;
    QMap<QString, QString> options;  // "--name" -> value
    QStringList flags;               // "--if-missing"
};

Arguments parse(const QStringList& words)
{
    static const QStringList valued{"--database", "--server", "--name", "--address1", "--address2", "--city", "--phone"};
    static const QStringList flags{"--if-missing", "--help"};
    Arguments arguments;
    for (int i = 1; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (valued.contains(word)) {
            if (i + 1 >= words.size())
                throw Failure(word + QStringLiteral(" needs a value"));
            arguments.options.insert(word, words.at(++i));
        } else if (flags.contains(word)) {
            arguments.flags << word;
        } else if (arguments.command.isEmpty() && !word.startsWith(QLatin1String("--"))) {
            arguments.command = word;
        } else {
            throw Failure(QStringLiteral("unknown argument '%1' (see billdb --help)").arg(word));
        }
    }
    return arguments;
}

// The one command that defines the data source for an existing database.
QString defineCommand(bool databaseNamed, const QString& path)
{
    return databaseNamed ? QStringLiteral("billdb init --if-missing --database %1").arg(path)
                         : QStringLiteral("billdb init --if-missing");
}

void define(const QString& path)
{
    datasource::defineSqlite(datasource::ProgramDataSource, path);
    out() << "Defined the data source " << datasource::ProgramDataSource << " for the database " << path << " in "
          << datasource::userDefinitionsPlace() << "\n";
}

int init(const Arguments& arguments)
{
    const bool ifMissing = arguments.flags.contains(QLatin1String("--if-missing"));
    const bool databaseNamed = arguments.options.contains(QLatin1String("--database"));
    if (arguments.options.contains(QLatin1String("--server"))) {
        if (databaseNamed)
            throw Failure(QStringLiteral("init takes --database FILE or --server ADDRESS, not both"));
        return initServer(arguments.options.value(QStringLiteral("--server")), ifMissing, out());
    }
    const QString path = QFileInfo(arguments.options.value(QStringLiteral("--database"),
                                                           datasource::defaultDatabasePath()))
                             .absoluteFilePath();
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
        if (!defined)
            define(path);
        return 0;
    }
    schema::createSqliteDatabase(path);
    out() << "Created the database " << path << " (user Admin, password "
          << schema::InitialPassword << ")\n";

    if (defined) {
        const QString current = datasource::setting(datasource::ProgramDataSource, QStringLiteral("Database"));
        out() << "The data source " << datasource::ProgramDataSource << " is already defined"
              << (current.isEmpty() ? QString() : QStringLiteral(" (database ") + current + QLatin1Char(')'))
              << "; it was left as it is.\n";
    } else {
        define(path);
    }
    return 0;
}

int shop(const Arguments& arguments)
{
    Connection connection;
    tooldb::open(connection, arguments.options.value(QStringLiteral("--database")));

    const QStringList options{"--name", "--address1", "--address2", "--city", "--phone"};
    QStringList values(options.size());
    RecordSet rows;
    rows.open(QStringLiteral("Select ShopName, ShopAddress1, ShopAddress2, ShopCity, ShopPhone from %1")
                  .arg(QLatin1String(schema::ShopHeaderTable)),
              connection);
    for (int i = 0; i < options.size(); ++i) {
        if (!rows.eof())
            values[i] = rows.field(i).toString();
        if (arguments.options.contains(options.at(i)))
            values[i] = arguments.options.value(options.at(i));
    }

    QStringList quoted;
    for (const QString& value : values)
        quoted << sql::text(value);
    Transaction transaction(connection);
    RecordSet statement;
    statement.open(QStringLiteral("DELETE FROM %1").arg(QLatin1String(schema::ShopHeaderTable)), connection);
    statement.open(QStringLiteral("INSERT INTO %1 VALUES(%2)")
                       .arg(QLatin1String(schema::ShopHeaderTable), quoted.join(QLatin1Char(','))),
                   connection);
    transaction.commit();
    out() << "Shop header set: " << values.join(QStringLiteral(" | ")) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        const QStringList words = QCoreApplication::arguments();
        if (words.value(1) == QLatin1String("mrp"))
            return setMrp(words.mid(2), out());
        if (words.value(1) == QLatin1String("backup"))
            return backup(words.mid(2), out());
        if (words.value(1) == QLatin1String("restore"))
            return restore(words.mid(2), out());
        if (words.value(1) == QLatin1String("check"))
            return check(words.mid(2), out());
        const Arguments arguments = parse(QCoreApplication::arguments());
        if (arguments.flags.contains(QLatin1String("--help")) || arguments.command == QLatin1String("help")) {
            out() << Usage << ServerInitHelp << UsageOthers << BackupHelp << RestoreHelp << CheckHelp << UsageEnd;
            return 0;
        }
        if (arguments.command == QLatin1String("init"))
            return init(arguments);
        if (arguments.command == QLatin1String("shop"))
            return shop(arguments);
        throw Failure(arguments.command.isEmpty()
                          ? QStringLiteral("no command given (see billdb --help)")
                          : QStringLiteral("unknown command '%1' (see billdb --help)").arg(arguments.command));
    } catch (const Failure& failure) {
        std::fprintf(stderr, "billdb: %s\n", qPrintable(failure.description().simplified()));
        return 1;
    }
}
