#include "CheckCommand.h"

#include "BatchLines.h"
#include "ToolDatabase.h"
#include "ValueAudit.h"
#include "data/AdminTool.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DatabaseBackup.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqliteFile.h"
#include "data/WritableFiles.h"

#include <QTextStream>

const char* const CheckHelp = R"(  check [--database DB]
      Runs SQLite's integrity check on the database (a server checks its
      own), then lists
      - on a SQLite file, every column that holds values the program cannot
        read as its kind (text in a number's column, a figure beyond what
        can be typed, a day that does not exist, a line's figure or a
        document's number left empty), as only another program can store
        them;
      - every stock batch whose quantity differs from what its receipts and
        sales make it: the quantities of the receipt lines that carry the
        batch's item code, item name and batch number, less those of the bill
        lines that carry the same three (texts compared without regard to
        case, as the program's stock updates compare them). Batches that share
        an item code are told apart by item name and batch number: a line
        counts for the one batch with all three of its texts, or for none.
        Lines of the simple bill screen carry an empty item code and batch,
        so they count only for a batch whose code and batch are empty (usually
        there is none), exactly as that screen's stock update lowers (its
        Delete Bill gives them no stock back, so such a batch is listed then);
      - every bill, receipt or voucher number under which one serial is stored
        more than once (gaps left by Delete Serial are normal);
      - every bill whose totals kept for Show Total and Print Total differ
        from what its lines make (see sum-bills).
      The exit status is 1 when anything is listed.
)";

namespace {

// Each stock batch with the quantity its lines make it, where the two differ.
QString stockAudit()
{
    return QStringLiteral("select BillNumber, ItemCode, Item, Batch_Number, Quantity, Expected from (select s.BillNumber, "
                          "s.ItemCode, s.Item, s.Batch_Number, s.Quantity, coalesce(received.Quantity, 0) - "
                          "coalesce(sold.Quantity, 0) as Expected from Stock s")
        + batchlines::joined("ItemIn", "received") + batchlines::joined("asigncharges", "sold")
        + QStringLiteral(") audit where Quantity is distinct from Expected order by BillNumber");
}

struct Document {
    const char* table;
    const char* name;
};
const Document Documents[] = {{"asigncharges", "Bill"}, {"ItemIn", "Receipt"}, {"ExpenditureTable", "Voucher"}};

QStringList stockFindings(Connection& connection)
{
    QStringList findings;
    RecordSet rows;
    rows.open(stockAudit(), connection);
    for (; !rows.eof(); rows.moveNext())
        findings << QStringLiteral("Stock batch %1 (item code '%2', item '%3', batch '%4'): %5 in stock, its receipts "
                                   "less its sales make %6")
                        .arg(rows.field(0).toString(), rows.field(1).toString(), rows.field(2).toString(),
                             rows.field(3).toString(), rows.field(4).toString(), rows.field(5).toString());
    return findings;
}

QStringList serialFindings(Connection& connection)
{
    QStringList findings;
    for (const Document& document : Documents) {
        RecordSet rows;
        rows.open(QStringLiteral("select BillNumber, Serial, count(*) from %1 group by BillNumber, Serial "
                                 "having count(*) > 1 order by BillNumber, Serial")
                      .arg(QLatin1String(document.table)),
                  connection);
        for (; !rows.eof(); rows.moveNext())
            findings << QStringLiteral("%1 %2: serial %3 is stored %4 times")
                            .arg(QLatin1String(document.name), rows.field(0).toString(), rows.field(1).toString(),
                                 rows.field(2).toString());
    }
    return findings;
}

const QLatin1String SumsDiffer("the totals kept for it differ from its lines");

QStringList sumFindings(Connection& connection)
{
    QStringList findings;
    for (const int bill : billsums::billsSummedWrongly(connection))
        findings << QStringLiteral("Bill %1: %2").arg(bill).arg(SumsDiffer);
    return findings;
}

}  // namespace

QStringList auditFindings(Connection& connection, valueaudit::Figures figures)
{
    const QStringList unfit = valueaudit::unfitValues(connection, QStringLiteral("main"), figures);
    return unfit + stockFindings(connection) + serialFindings(connection) + sumFindings(connection);
}

int check(const tooldb::CommandLine& line, QTextStream& out)
{
    // Read before the database is opened here: read while it is open, its
    // header would cost the connection its locks.
    const QString named = line.database().isEmpty() ? QString() : tooldb::file(line.database());
    const bool archive = !named.isEmpty() && sqlitefile::isArchive(named);
    Connection connection;
    tooldb::open(connection, line.database());

    // A server keeps its files itself; its own tools check them.
    const QStringList problems = tooldb::onServer(connection) ? QStringList() : databasebackup::integrityProblems(connection);
    if (!problems.isEmpty()) {
        out << "Integrity check: the database is damaged\n";
        for (const QString& problem : problems)
            out << "  " << problem << "\n";
        // The advice names the file checked: a restore without --database
        // puts a backup in place of the data source's books.
        const QString books = datasource::sqliteFile(datasource::ProgramDataSource);
        if (named.isEmpty() || (!books.isEmpty() && sqlitefile::sameFile(named, books)))
            out << "Restore the latest sound backup with " << admintool::command(QStringLiteral("restore BACKUP"))
                << " (the day's copies are in " << sqlitefile::dailyCopiesFolder(named.isEmpty() ? books : named)
                << "), and start the program again.\n";
        else if (archive)
            out << "Copy the archive again from where its copy is kept (another disk, a USB stick).\n";
        else  // a header too damaged to tell an archive: each case, and none that writes over the file
            out << "If this is a copy (a backup), make a new one with "
                << admintool::command(QStringLiteral("backup NEWFILE"))
                << "; if it is a closed year's archive, copy it again from where its copy is kept; if it is a "
                   "till's database, restore the latest sound backup into it with "
                << admintool::command(QStringLiteral("restore BACKUP --database ") + admintool::shellWord(named)) << ".\n";
        return 1;
    }
    out << (tooldb::onServer(connection) ? "Integrity check: left to the server\n" : "Integrity check: ok\n");
    // Told, not counted: an archive is kept read-only on purpose.
    if (!tooldb::onServer(connection)) {
        const writablefiles::Problem unwritable = writablefiles::problem(tooldb::file(line.database()));
        if (!unwritable.what.isEmpty())
            out << "Writing: " << unwritable.what << "; the program can only read the database\n";
    }

    const QStringList findings = auditFindings(connection);
    for (const QString& finding : findings)
        out << finding << "\n";
    out << (findings.isEmpty() ? QStringLiteral("Audit: nothing to report\n")
                               : QStringLiteral("Audit: %1 listed\n").arg(findings.size()));
    if (!findings.filter(SumsDiffer).isEmpty())
        out << "Sum the bills again with " << admintool::command(QStringLiteral("sum-bills")) << ".\n";
    return findings.isEmpty() ? 0 : 1;
}
