// billdb: creates the database and the data source "Bill", keeps the shop's
// letterhead and the stock's selling prices, backs the database up, restores
// and checks it, sums its bills again, closes a year into an archive, and
// exports and imports the master tables as CSV files.

#include "BackupCommand.h"
#include "CheckCommand.h"
#include "CloseYearCommand.h"
#include "ExportCommand.h"
#include "ImportCommand.h"
#include "InitCommand.h"
#include "MrpCommand.h"
#include "RestoreCommand.h"
#include "ServerInitCommand.h"
#include "ShopCommand.h"
#include "SumBillsCommand.h"
#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/AdminTool.h"
#include "data/DbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

const char* const UsageStart = R"(Usage: %1 COMMAND [OPTIONS]

Commands:
)";

const char* const UsageEnd = R"(  --help
      Shows this text.

Without --database, "shop", "mrp", "backup", "restore", "check",
"sum-bills", "close-year", "export" and "import" work on the database of the data source
"Bill".
)";

// Every option of every command; a command accepts those it names.
const QList<QCommandLineOption> Options{
    {QStringLiteral("database"), QString(), QStringLiteral("FILE")},
    {QStringLiteral("server"), QString(), QStringLiteral("ADDRESS")},
    {QStringLiteral("if-missing"), QString()},
    {QStringLiteral("from"), QString(), QStringLiteral("FILE")},
    {QStringLiteral("name"), QString(), QStringLiteral("TEXT")},
    {QStringLiteral("address1"), QString(), QStringLiteral("TEXT")},
    {QStringLiteral("address2"), QString(), QStringLiteral("TEXT")},
    {QStringLiteral("city"), QString(), QStringLiteral("TEXT")},
    {QStringLiteral("phone"), QString(), QStringLiteral("TEXT")},
    {QStringLiteral("code"), QString(), QStringLiteral("CODE")},
    {QStringLiteral("item"), QString(), QStringLiteral("NAME")},
    {QStringLiteral("batch"), QString(), QStringLiteral("BATCH")},
    {QStringLiteral("price"), QString(), QStringLiteral("PRICE")},
    {QStringLiteral("before"), QString(), QStringLiteral("DATE")},
    {QStringLiteral("archive"), QString(), QStringLiteral("FILE")},
    {QStringLiteral("skip-bad"), QString()},
    {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
};

struct Command {
    const char* name;
    QStringList options;
    QStringList words;  // its plain words, as the usage names them
    int (*run)(const tooldb::CommandLine&, QTextStream&);
};

const Command Commands[]{
    {"init", {"database", "server", "if-missing", "from"}, {}, init},
    {"shop", {"database", "name", "address1", "address2", "city", "phone"}, {}, shop},
    {"mrp", {"database", "code", "item", "batch", "price"}, {}, setMrp},
    {"backup", {"database"}, {"FILE"}, backup},
    {"restore", {"database"}, {"FILE"}, restore},
    {"check", {"database"}, {}, check},
    {"sum-bills", {"database"}, {}, sumBills},
    {"close-year", {"database", "before", "archive"}, {}, closeYear},
    {"export", {"database"}, {"TABLE", "FILE"}, exportMaster},
    {"import", {"database", "skip-bad"}, {"TABLE", "FILE"}, importMaster},
};

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString help()
{
    return (QLatin1String(UsageStart) + QLatin1String(InitHelp) + QLatin1String(ServerInitHelp)
            + QLatin1String(ShopHelp) + QLatin1String(MrpHelp) + QLatin1String(BackupHelp)
            + QLatin1String(RestoreHelp) + QLatin1String(CheckHelp) + QLatin1String(SumBillsHelp) + QLatin1String(CloseYearHelp)
            + QLatin1String(ExportHelp) + QLatin1String(ImportHelp)
            + QLatin1String(UsageEnd))
        .arg(admintool::command());
}

const Command& commandNamed(const QString& name)
{
    for (const Command& command : Commands)
        if (name == QLatin1String(command.name))
            return command;
    throw Failure(name.isEmpty() ? QStringLiteral("no command given %1").arg(tooldb::seeHelp())
                                 : QStringLiteral("unknown command '%1' %2").arg(name, tooldb::seeHelp()));
}

// The command's own options and the number of its words; throws Failure for anything else.
void checkFits(const Command& command, const QCommandLineParser& parser, const QStringList& words)
{
    for (const QString& option : parser.optionNames())
        if (!command.options.contains(option))
            throw Failure(QStringLiteral("%1 takes no --%2 %3").arg(QLatin1String(command.name), option, tooldb::seeHelp()));
    if (words.size() != command.words.size())
        throw Failure(QStringLiteral("usage: %1").arg(admintool::command(
            (QStringList{QLatin1String(command.name)} + command.words).join(QLatin1Char(' ')))));
}

// What the operator is told of a failure. The notice of a damaged database
// advises "check" and "restore" of the data source's books; a file named
// with --database is another (a backup, an archive, another till's), so the
// check of that file is named, which tells how to put each kind right.
QString told(const Failure& failure, const QString& namedDatabase)
{
    const auto* database = dynamic_cast<const DbError*>(&failure);
    if (!database || database->kind() != DbError::Kind::Damaged || namedDatabase.isEmpty())
        return failure.description();
    const QString path = QFileInfo(namedDatabase).absoluteFilePath();
    return QStringLiteral("The database file %1 is damaged. Nothing was changed; \"%2\" tells how to put it right. %3")
        .arg(path, admintool::command(QStringLiteral("check --database ") + admintool::shellWord(path)),
             database->detail());
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    try {
        parser.addOptions(Options);
        if (!parser.parse(QCoreApplication::arguments()))
            throw Failure(parser.errorText() + QLatin1Char(' ') + tooldb::seeHelp());
        const QStringList words = parser.positionalArguments();
        if (parser.isSet(QStringLiteral("help")) || words.value(0) == QLatin1String("help")) {
            out() << help();
            return 0;
        }
        const Command& command = commandNamed(words.value(0));
        const tooldb::CommandLine line{parser, words.mid(1)};
        checkFits(command, parser, line.words);
        return command.run(line, out());
    } catch (const Failure& failure) {
        const QString named = parser.value(QStringLiteral("database"));
        std::fprintf(stderr, "billdb: %s\n", qPrintable(told(failure, named).simplified()));
        return 1;
    }
}
