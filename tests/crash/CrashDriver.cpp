// The crash test: a child process drives the receipt screen and both bill screens as an operator
// would and is killed with SIGKILL at a random moment; after each kill SQLite's integrity check and
// billdb check's audit must find nothing.
//
//   crash_driver --tool path/to/billdb [--kills N] [--seed S] [--full]
//
// --full makes 200 kills. Exit status 0 when every check after every kill
// passed; the figures go to standard output.

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "kit/DataScreen.h"
#include "shell/ScreenCatalog.h"
#include "support/Operator.h"
#include "support/KillRun.h"
#include "support/RecordingMessages.h"
#include "support/Rows.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <signal.h>

namespace {

// Each code names one item, so that a sale's code, item and batch always name a batch a receipt may have made.
const QStringList Codes{"R1", "T1", "S1", "D1"};
const QStringList Items{"RICE", "TEA", "SUGAR", "DAL"};
const QStringList Batches{"B1", "B2", "B3"};

void storeMasters(const QString& database)
{
    Connection connection;
    connection.open(schema::sqliteConnectionString(database));
    RecordSet statement;
    for (int i = 0; i < Items.size(); ++i)
        statement.open(rows::priced("Charges", i + 1, Items.at(i), 10 * (i + 1)), connection);
    statement.open(rows::party("Supplier", 1, "ACME", "LANE", "12345"), connection);
    statement.open(rows::customer(1, "RAM", "ROAD", "98765"), connection);
}

// ------------------------------------------------------------------ the child

// The receipt screen and both bill screens, worked by one operator at random.
class Shop {
public:
    explicit Shop(unsigned seed) : m_random(seed)
    {
        for (const QString& name : {ui::ItemInFrm, ui::BillTwo, ui::BillOne}) {
            m_screens.emplace_back(catalog::createScreen(name, nullptr));
            m_screens.back()->show();
            m_operators.emplace_back(m_screens.back().get());
        }
    }

    // One operator's action on one of the screens.
    void act()
    {
        m_messages.clear();
        m_messages.answers = {true, true};
        const Operator &receipt = m_operators[0], &details = m_operators[1], &simple = m_operators[2];
        const int code = pick(Codes.size());
        const QString quantity = QString::number(1 + pick(5));
        switch (pick(10)) {
        case 0: case 1: case 2:  // a burst of receipt lines
            for (int line = 0, lines = 1 + pick(4); line < lines; ++line)
                receipt.receiveLine(Items.at(code), Codes.at(code), Batches.at(pick(Batches.size())), quantity, "40");
            break;
        case 3: case 4:  // a burst of sales by code
            for (int line = 0, lines = 1 + pick(4); line < lines; ++line)
                details.sellByCode(Codes.at(pick(Codes.size())), QString::number(1 + pick(3)));
            break;
        case 5:
            simple.addLine(Items.at(code), quantity);
            break;
        case 6:
            deleteFromNewest(m_operators[pick(3)], ui::DeleteSerial);
            break;
        case 7:
            deleteFromNewest(m_operators[pick(3)], ui::DeleteDocument);
            break;
        default:
            for (const Operator& screen : m_operators)
                screen.click(ui::NewDocument);
            break;
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    // New / Refresh leaves the newest number in the list's first entry.
    static void deleteFromNewest(const Operator& screen, const QString& button)
    {
        screen.click(ui::NewDocument);
        const QStringList numbers = screen.entries(ui::Number);
        if (numbers.isEmpty() || !screen.pick(ui::Number, numbers.first()))
            return;
        if (!screen.gridRows().isEmpty())
            screen.clickGridRow(0);
        screen.click(button);
    }

    std::mt19937 m_random;
    RecordingMessages m_messages;
    std::vector<std::unique_ptr<QWidget>> m_screens;
    std::vector<Operator> m_operators;
};

int runChild(unsigned seed)
{
    Shop shop(seed);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        shop.act();
        std::fputc('.', stdout);  // one action done
        std::fflush(stdout);
    }
}

// ------------------------------------------------------------------ the driver

using killrun::out;

int runDriver(const killrun::Options& options)
{
    QTemporaryDir dir;
    const QString database = dir.filePath("Bill.db");
    const QProcessEnvironment environment = toolrun::environment(dir.filePath("odbc.ini"), dir.path());
    const toolrun::Result made = toolrun::run({"init", "--database", database}, environment, options.tool);
    if (made.exitCode != 0) {
        out() << "billdb init failed: " << made.err;
        return 1;
    }
    qputenv("ODBCINI", environment.value("ODBCINI").toLocal8Bit());
    storeMasters(database);

    std::mt19937 random(options.seed);
    out() << "seed " << options.seed << ", " << options.kills << " kills\n";
    long long actions = 0;
    for (int kill = 1; kill <= options.kills; ++kill) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"--child", QString::number(random())});
        QByteArray said;
        while (!said.contains("ready\n") && child.waitForReadyRead(30000))
            said += child.readAllStandardOutput();
        if (!said.contains("ready\n")) {
            out() << "kill " << kill << ": the child did not start: " << child.readAllStandardError() << "\n";
            return 1;
        }
        QThread::msleep(std::uniform_int_distribution<int>(50, 1500)(random));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished(10000);
        actions += (said + child.readAllStandardOutput()).count('.');

        const toolrun::Result check = toolrun::run({"check", "--database", database}, environment, options.tool);
        if (check.exitCode != 0) {
            dir.setAutoRemove(false);
            out() << "kill " << kill << ": billdb check found\n" << check.out << check.err << "database kept: " << database << "\n";
            return 1;
        }
    }
    out() << "after " << options.kills << " kills every integrity check and audit passed; " << actions
          << " operator actions completed\n";
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    killrun::Options options;
    if (!killrun::parse(arguments, 3, 200, options))
        return 2;
    if (!options.child.isEmpty()) {
        QApplication app(argc, argv);
        return runChild(options.child.toUInt());
    }
    QCoreApplication app(argc, argv);
    return runDriver(options);
}
