// billbench: times the program's screens at a shop's ceiling, as an operator
// drives them, beside the time their SQL alone takes, and prints one table.
//
//   billbench [--quick] [--database FILE | --server ADDRESS] [--runs N] [--program PATH] [--only TEXT] [--statements]
//
// --quick uses a small database and two runs (seconds; CI runs it so that the
// benchmark keeps working). Without it the database is the ceiling of
// ceiling::Size::full(); --database keeps it in FILE for later runs (made when
// missing). --server postgresql://USER@HOST[:PORT]/DBNAME runs it on a server's
// database instead, filled when it has no tables. --only runs the operations
// whose name contains TEXT; --statements also prints each statement an
// operation sent, with its time in the replays of its statements alone.

#include "CeilingDatabase.h"
#include "Runner.h"
#include "Shop.h"
#include "core/Memory.h"
#include "data/ServerAddress.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

struct Options {
    bool quick = false;
    QString database;
    QString server;
    int runs = 0;
    QString program;
    QString only;
    bool statements = false;
};

Options parse(int argc, char* argv[])
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    const QCommandLineOption quick(QStringLiteral("quick")), database(QStringLiteral("database"), {}, QStringLiteral("FILE")),
        server(QStringLiteral("server"), {}, QStringLiteral("ADDRESS")), runs(QStringLiteral("runs"), {}, QStringLiteral("N")),
        program(QStringLiteral("program"), {}, QStringLiteral("PATH")), only(QStringLiteral("only"), {}, QStringLiteral("TEXT")),
        statements(QStringLiteral("statements"));
    QCommandLineParser parser;
    parser.addOptions({quick, database, server, runs, program, only, statements});
    if (!parser.parse(words))
        throw Failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        throw Failure(QStringLiteral("unknown argument ") + parser.positionalArguments().first());

    Options options;
    options.quick = parser.isSet(quick);
    options.database = parser.value(database);
    options.server = parser.value(server);
    options.runs = parser.value(runs).toInt();
    options.program = parser.value(program);
    options.only = parser.value(only);
    options.statements = parser.isSet(statements);
    if (options.runs <= 0)
        options.runs = options.quick ? 2 : 7;
    return options;
}

}  // namespace

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const Failure& failure) {
        err << "billbench: " << failure.description() << Qt::endl;
        return 2;
    }
    memory::keepFreedMemory();  // as the program does at start
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QTemporaryDir folder;
    const ceiling::Size size = options.quick ? ceiling::Size::quick() : ceiling::Size::full();
    const QString database = options.database.isEmpty() ? folder.filePath(QStringLiteral("Bill.db"))
                                                        : QFileInfo(options.database).absoluteFilePath();
    QElapsedTimer timer;
    timer.start();
    try {
        if (!options.server.isEmpty()) {
            const ServerAddress server = ServerAddress::parse(options.server);
            ceiling::useServerAsDataSource(folder.filePath(QStringLiteral("odbc.ini")), server);
            if (ceiling::createOnServer(server, size))
                err << "database made in " << timer.elapsed() / 1000.0 << " s: " << server.text() << Qt::endl;
        } else {
            ceiling::useAsDataSource(folder.filePath(QStringLiteral("odbc.ini")), database);
            if (!QFileInfo::exists(database)) {
                ceiling::create(database, size);
                err << "database made in " << timer.elapsed() / 1000.0 << " s: " << database << Qt::endl;
            }
        }
    } catch (const Failure& failure) {
        err << "billbench: " << failure.description() << Qt::endl;
        return 2;
    }

    QApplication app(argc, argv);
    const QString program = options.program.isEmpty()
        ? QCoreApplication::applicationDirPath() + QStringLiteral("/../src/bill")
        : options.program;

    bench::AnsweringMessages messages;
    QVector<bench::Result> results;
    bool failed = false;
    try {
        bench::Shop shop(size);
        bench::Runner runner(options.runs, options.statements);
        QVector<bench::Group> groups{bench::startUpGroup(program)};
        groups << bench::masterGroups(shop, messages) << bench::lineDocumentGroups(shop, messages, folder.path())
               << bench::queryGroups(shop, folder.path()) << bench::priceGroups(shop, messages)
               << bench::listingGroups(shop, folder.path());
        for (const bench::Group& group : groups) {
            QVector<const bench::Operation*> chosen;
            for (const bench::Operation& operation : group.operations)
                if (operation.name.contains(options.only, Qt::CaseInsensitive))
                    chosen << &operation;
            if (chosen.isEmpty())
                continue;
            err << group.title << Qt::endl;
            if (group.setUp)
                group.setUp();
            for (const bench::Operation* operation : chosen) {
                results << runner.run(*operation);
                failed = failed || !results.last().failure.isEmpty();
            }
            if (group.tearDown)
                group.tearDown();
        }
    } catch (const Failure& failure) {
        err << "billbench: " << failure.description() << Qt::endl;
        failed = true;
    }

    QTextStream out(stdout);
    out << QStringLiteral("%1 customers, %2 bills x %3 lines, %4 stock batches, %5 rows in each other master "
                          "table, %6 receipt lines, %7 vouchers; %8 runs; platform %9\n\n")
               .arg(size.customers).arg(size.bills).arg(size.linesPerBill).arg(size.stockBatches)
               .arg(size.masterRows).arg(size.receiptLines).arg(size.vouchers).arg(options.runs)
               .arg(QGuiApplication::platformName());
    out.flush();
    bench::Runner::printTable(results, options.server.isEmpty() ? QStringLiteral("the SQLite file")
                                                                : QStringLiteral("the PostgreSQL server"));
    return failed ? 1 : 0;
}
