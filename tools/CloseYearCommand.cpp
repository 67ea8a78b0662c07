#include "CloseYearCommand.h"

#include "BatchLines.h"
#include "ToolDatabase.h"
#include "core/ClosedYear.h"
#include "YearArchive.h"
#include "data/AdminTool.h"
#include "data/BillSums.h"
#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"
#include "data/WritableFiles.h"
#include "core/Dates.h"
#include "core/Failure.h"
#include "data/DatabaseBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

using namespace closeyear;

const char* const CloseYearHelp = R"(  close-year --before DATE --archive FILE [--database DB]
      Closes the years before DATE (YYYY-MM-DD, the first day of the new
      financial year, today at the latest): every bill, receipt and voucher
      dated before DATE moves into FILE, a new database of this program that
      also holds the masters, the letterhead, the users and each batch's
      stock as it stood on DATE. FILE is checked (integrity and the audit of
      "check") before the database changes; then, in one transaction, those
      documents leave it. The stock on hand stays: it becomes one receipt
      dated DATE from the supplier "OPENING STOCK" (a line per batch, no
      amounts), so the audit still adds up, and new bills, receipts and
      vouchers number from 1 again (documents dated from DATE on keep their
      numbers, and new ones follow them: close before the new year's first
      bill). A document with lines on both sides of DATE is listed and
      nothing is closed.
      The program may be open on other tills. Stopped at any moment, the
      database is as it was or as it is after; run the command again.
      Look back at a closed year with: bill --archive FILE
)";

namespace {

using closedyear::OpeningSupplier;

QDate dateNamed(const QString& text)
{
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (text.isEmpty() || !date.isValid())
        throw Failure(QStringLiteral("close-year needs --before DATE as YYYY-MM-DD (the first day of the new year) %1")
                          .arg(tooldb::seeHelp()));
    // Closed ahead of its end, the old year's last documents would follow
    // the opening stock, and the next close would carry the wrong stock.
    if (date > QDate::currentDate())
        throw Failure(QStringLiteral("%1 is after today: close the year on the new year's first day or later; nothing "
                                     "was closed")
                          .arg(dates::shown(date)));
    return date;
}

QString archiveNamed(const QString& text)
{
    if (text.isEmpty())
        throw Failure(QStringLiteral("close-year needs --archive FILE %1").arg(tooldb::seeHelp()));
    if (const QString problem = writablefiles::newFileProblem(text); !problem.isEmpty())
        throw Failure(problem);
    return QFileInfo(text).absoluteFilePath();
}

// Lists every document with lines on both sides of the date (or lines
// without a date among lines before it), and refuses the close when there is one.
void refuseSplitDocuments(Connection& live, const QDate& before, QTextStream& out)
{
    QStringList split;
    for (const DocumentTable& document : DocumentTables) {
        RecordSet rows;
        rows.open(QStringLiteral("select BillNumber, min(Date_), max(Date_), count(*) - count(Date_) from %1 "
                                 "group by BillNumber having min(Date_) < %2 and (max(Date_) >= %2 or "
                                 "count(Date_) < count(*)) order by BillNumber")
                      .arg(QLatin1String(document.table), sql::date(before)),
                  live);
        for (const QVector<QVariant>& row : rows.rows()) {
            const QString name = QLatin1String(document.name);
            QString text = QStringLiteral("%1 %2: lines dated %3 to %4")
                               .arg(name.left(1).toUpper() + name.mid(1), row.at(0).toString(),
                                    dates::shown(dates::fromStored(row.at(1))),
                                    dates::shown(dates::fromStored(row.at(2))));
            if (row.at(3).toInt() > 0)
                text += QStringLiteral(", %1 without a date").arg(row.at(3).toInt());
            split << text;
        }
    }
    if (split.isEmpty())
        return;
    out << "Documents with lines on both sides of " << dates::shown(before) << ":\n";
    for (const QString& document : split)
        out << "  " << document << "\n";
    throw Failure(QStringLiteral("%1 document(s) have lines on both sides of %2 (listed above): a document is never "
                                 "split; nothing was closed")
                      .arg(split.size())
                      .arg(dates::shown(before)));
}

// What an archive holds: the documents dated before the date, and how many
// lines are dated on or after it. Nothing when the file is no database of
// this program's.
struct Archived {
    Fingerprints before;
    qint64 linesAfter = 0;
};

Archived archivedDocuments(const QString& archive, const QDate& before)
{
    try {
        Connection file;
        file.open(readingConnectionString(archive));
        return {documentsBefore(file, before), linesKept(file, before)};
    } catch (const Failure&) {
        return {};
    }
}

// Nothing dated before the date: closed already into the archive (by an
// earlier run), or a date that closes nothing.
int nothingToClose(const QString& archive, const QDate& before, QTextStream& out)
{
    if (!QFileInfo(archive).isFile() || archivedDocuments(archive, before).before.isEmpty())
        throw Failure(QStringLiteral("nothing is dated before %1: there is nothing to close").arg(dates::shown(before)));
    out << "Nothing dated before " << dates::shown(before) << " is left in the database: it is closed into "
        << archive << "\n";
    return 0;
}

// An existing FILE is replaced only when it holds exactly the documents
// this close moves and none after them: it is then the archive of an
// earlier run that was stopped before the database changed. A backup of
// the shop holds the same documents, and later ones.
void requireArchiveOfTheseDocuments(const QString& archive, const Fingerprints& closing, const QDate& before)
{
    const Archived archived = archivedDocuments(archive, before);
    if (archived.before != closing || archived.linesAfter > 0)
        throw Failure(QStringLiteral("%1 already exists and is not the archive of the documents dated before %2; "
                                     "name a new file")
                          .arg(archive, dates::shown(before)));
}

// No other till writes a line or changes the stock until the transaction
// ends: SQLite's write lock, taken by the first write; on a server, the
// tables locked against writers (readers go on).
void lockDocuments(Connection& live)
{
    // On a server the writing turn first, as every writing statement takes it.
    if (tooldb::onServer(live))
        changes::takeWritingTurn(live);
    RecordSet statement;
    statement.open(tooldb::onServer(live)
                       ? QStringLiteral("LOCK TABLE asigncharges, ItemIn, ExpenditureTable, Stock IN EXCLUSIVE MODE")
                       : QStringLiteral("delete from ItemIn where 1 = 0"),
                   live);
}

struct Moved {
    int documents = 0;
    int lines = 0;
};

struct Summary {
    QVector<Moved> moved;  // as DocumentTables
    int openingNumber = 0;
    int openingLines = 0;
};

// The stored maximum plus one, 1 when there is none: 0 when none is left.
int nextNumber(Connection& live, const QString& table)
{
    RecordSet highest;
    highest.open(QStringLiteral("select max(BillNumber) from ") + table, live);
    const int next = highest.field(0).isNull() ? 1 : highest.field(0).toInt() + 1;
    return next > 32767 ? 0 : next;
}

// The stock on hand of every batch, as the lines of one receipt dated the
// date, from the opening supplier, without amounts: with the lines that
// stay, a batch's receipts less its sales are again its stock.
void writeOpeningReceipt(Connection& live, const QDate& before, const QString& archiveName, Summary& summary)
{
    RecordSet statement;
    summary.openingNumber = nextNumber(live, QStringLiteral("ItemIn"));
    if (summary.openingNumber == 0)
        throw Failure(QStringLiteral("no receipt number is left for the opening stock; nothing was changed"));
    const QString onHand = QStringLiteral("(s.Quantity - coalesce(received.Quantity, 0) + coalesce(sold.Quantity, 0))");
    statement.open(QStringLiteral("insert into ItemIn select %1, row_number() over (order by s.BillNumber), s.Item, %2, "
                                  "0, 0, 0, %3, '', '', %4, '-', 0, %5, s.ItemCode, s.Batch_Number, 0 from Stock s")
                           .arg(sql::number(summary.openingNumber), onHand, sql::text(QLatin1String(OpeningSupplier)),
                                sql::text(QLatin1String(closedyear::RemarkStart) + archiveName), sql::date(before))
                       + batchlines::joined("ItemIn", "received") + batchlines::joined("asigncharges", "sold")
                       + QStringLiteral(" where ") + onHand + QStringLiteral(" <> 0"),
                   live);
    statement.open(QStringLiteral("select count(*) from ItemIn where BillNumber = ") + sql::number(summary.openingNumber),
                   live);
    summary.openingLines = statement.field(0).toInt();
}

void putInPlace(const QString& partial, const QString& archive)
{
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(archive).constData()) != 0)
        throw Failure(QStringLiteral("cannot put the archive at %1; nothing was changed").arg(archive));
    databasebackup::syncToDisk(QFileInfo(archive).absolutePath());
}

// True when the live database holds, dated before the date, exactly the
// documents of the archive, and each batch's stock on the date is the
// archive's. On SQLite, certain at once when no other connection has
// committed anything since the copy was taken.
bool holdsWhatTheArchiveHolds(Connection& live, const QDate& before, const QString& partial,
                              std::optional<qint64> copiedAt)
{
    if (copiedAt && dataVersion(live) == *copiedAt)
        return true;
    Connection file;
    file.open(readingConnectionString(partial));
    return documentsBefore(file, before) == documentsBefore(live, before)
        && closingStock(file, before) == closingStock(live, before);
}

// In one transaction: the live database still holds what the archive
// holds, then those documents leave it and the opening receipt comes in;
// the archive takes its name just before the commit. A stop before the
// commit leaves the database as it was (an archive in place is then that
// of a run again); after it, as it is after.
Summary closeInLive(Connection& live, const QDate& before, const QString& partial, const QString& archive,
                    std::optional<qint64> copiedAt)
{
    Summary summary;
    Transaction transaction(live);
    lockDocuments(live);
    if (!holdsWhatTheArchiveHolds(live, before, partial, copiedAt))
        throw Failure(QStringLiteral("a till changed documents dated before %1 or the stock while the archive was "
                                     "made; nothing was changed: run the command again")
                          .arg(dates::shown(before)));
    RecordSet statement;
    billsums::changeManyLines(live, [&] {
        for (const DocumentTable& document : DocumentTables) {
            const QString table = QLatin1String(document.table);
            statement.open(QStringLiteral("select count(distinct BillNumber), count(*) from %1 where %2")
                               .arg(table, closedLines(before)),
                           live);
            summary.moved.append({statement.field(0).toInt(), statement.field(1).toInt()});
            statement.open(QStringLiteral("delete from %1 where %2").arg(table, closedLines(before)), live);
        }
    });
    writeOpeningReceipt(live, before, QFileInfo(archive).fileName(), summary);
    putInPlace(partial, archive);
    transaction.commit();
    return summary;
}

// "1 bill", "2 bills", "3 batches".
QString counted(int count, const QString& noun)
{
    const QString plural = noun.endsWith(QLatin1String("ch")) ? QStringLiteral("es") : QStringLiteral("s");
    return QStringLiteral("%1 %2%3").arg(count).arg(noun, count == 1 ? QString() : plural);
}

void report(const Summary& summary, Connection& live, const QString& archive, const QDate& before, QTextStream& out)
{
    QStringList moved;
    for (int i = 0; i < summary.moved.size(); ++i)
        moved << QStringLiteral("%1 (%2)").arg(counted(summary.moved[i].documents, QLatin1String(DocumentTables[i].name)),
                                                counted(summary.moved[i].lines, QStringLiteral("line")));
    out << "Closed into " << archive << ": " << moved.join(QStringLiteral(", ")) << ", dated before "
        << dates::shown(before) << ".\n";
    if (summary.openingLines > 0)
        out << "The stock on hand of " << counted(summary.openingLines, QStringLiteral("batch")) << " is receipt " << summary.openingNumber
            << ", dated " << dates::shown(before) << ", from " << OpeningSupplier << ".\n";
    else
        out << "No batch has stock on hand: there is no opening receipt.\n";
    QStringList next;
    for (const DocumentTable& document : DocumentTables) {
        const int number = nextNumber(live, QLatin1String(document.table));
        next << QLatin1String(document.name) + QLatin1Char(' ')
                + (number > 0 ? QString::number(number) : QStringLiteral("none left"));
    }
    out << "Next numbers: " << next.join(QStringLiteral(", ")) << ".\n";
    out << "Keep the archive safe (a copy on another disk too); look back at the year with: "
        << admintool::program(QStringLiteral("--archive ") + admintool::shellWord(archive)) << "\n";
}

}  // namespace

int closeYear(const tooldb::CommandLine& line, QTextStream& out)
{
    const QDate before = dateNamed(line.value("before"));
    const QString archive = archiveNamed(line.value("archive"));
    Connection live;
    tooldb::openToChange(live, line.database());
    if (!tooldb::onServer(live)) {
        const QString ownFile = sqlitefile::ownFileOf(tooldb::file(line.database()), archive);
        if (!ownFile.isEmpty())
            throw Failure(QStringLiteral("the archive cannot be %1 (%2)").arg(ownFile, archive));
    }

    refuseSplitDocuments(live, before, out);
    if (linesBefore(live, before) == 0)
        return nothingToClose(archive, before, out);
    if (QFileInfo::exists(archive))
        requireArchiveOfTheseDocuments(archive, documentsBefore(live, before), before);

    const QString partial = archive + QStringLiteral(".partial");
    sqlitefile::removeWithItsFiles(partial);  // left by a run that was stopped
    Summary summary;
    try {
        const std::optional<qint64> copiedAt = makeArchive(live, partial, before, out, line.database());
        if (!tooldb::onServer(live))
            sqlitefile::guardedAs(partial, tooldb::file(line.database()));
        out << "The archive is made and checked; the documents leave the database now.\n";
        out.flush();
        summary = closeInLive(live, before, partial, archive, copiedAt);
    } catch (const Failure&) {
        sqlitefile::removeWithItsFiles(partial);
        throw;
    }
    report(summary, live, archive, before, out);
    return 0;
}
