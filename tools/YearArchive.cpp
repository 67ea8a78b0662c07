#include "YearArchive.h"

#include "BatchLines.h"
#include "CheckCommand.h"
#include "TableCopy.h"
#include "ToolDatabase.h"
#include "data/AdminTool.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"
#include "core/Failure.h"
#include "data/DatabaseBackup.h"

#include <QTextStream>

namespace closeyear {

namespace {

// Every row of every table of the server's database into the new archive,
// read in one snapshot of the server's, so that the stock and the lines
// agree as they did at one moment.
void copyFromServer(Connection& live, Connection& archive)
{
    Transaction snapshot(live);
    RecordSet statement;
    statement.open(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"), live);
    Transaction writing(archive);
    billsums::changeManyLines(archive, [&] { tablecopy::copyEveryTable(live, archive); });
    writing.commit();
}

// Each stock batch's number and its stock as it stood on the date: its
// quantity less the receipts and plus the sales that stay after the date.
QString stockOnTheDate(const QDate& before)
{
    return QStringLiteral("select s.BillNumber, s.Quantity - coalesce(received.Quantity, 0) + coalesce(sold.Quantity, 0) "
                          "as Quantity from Stock s")
        + batchlines::joined("ItemIn", "received", keptLines(before))
        + batchlines::joined("asigncharges", "sold", keptLines(before));
}

// The archive as the year ends: the stock as it stood on the date, and
// only the lines dated before it.
void keepTheYearOnly(Connection& archive, const QDate& before)
{
    Transaction transaction(archive);
    RecordSet statement;
    statement.open(QStringLiteral("update Stock set Quantity = dated.Quantity from (") + stockOnTheDate(before)
                       + QStringLiteral(") dated where dated.BillNumber = Stock.BillNumber"),
                   archive);
    // A batch first received on the date or after it was no batch of the
    // closed year, when no line of that year names it.
    statement.open(QStringLiteral("delete from Stock where Date_ >= %1 and Quantity = 0 and exists (select 1 from Stock s")
                           .arg(sql::date(before))
                       + batchlines::joined("ItemIn", "received", closedLines(before))
                       + batchlines::joined("asigncharges", "sold", closedLines(before))
                       + QStringLiteral(" where s.BillNumber = Stock.BillNumber and received.Quantity is null and "
                                        "sold.Quantity is null)"),
                   archive);
    billsums::changeManyLines(archive, [&] {
        for (const DocumentTable& document : DocumentTables)
            statement.open(QStringLiteral("delete from %1 where %2").arg(QLatin1String(document.table), keptLines(before)),
                           archive);
    });
    transaction.commit();
}

void check(Connection& archive, QTextStream& out, const QString& namedDatabase)
{
    const QStringList problems = databasebackup::integrityProblems(archive);
    if (!problems.isEmpty())
        throw Failure(QStringLiteral("the archive failed its integrity check (%1); nothing was changed")
                          .arg(problems.first()));
    const QStringList findings = auditFindings(archive, valueaudit::Figures::Readable);
    if (findings.isEmpty())
        return;
    out << "The archive's audit lists:\n";
    for (const QString& finding : findings)
        out << "  " << finding << "\n";
    const QString checkCommand = admintool::command(
        namedDatabase.isEmpty() ? QStringLiteral("check")
                                : QStringLiteral("check --database ") + admintool::shellWord(namedDatabase));
    throw Failure(QStringLiteral("the year's documents and stock do not add up (%1 listed; \"%2\" lists them in the "
                                 "database as well); nothing was changed")
                      .arg(findings.size())
                      .arg(checkCommand));
}

}  // namespace

QString closedLines(const QDate& before)
{
    return QStringLiteral("Date_ < ") + sql::date(before);
}

QString keptLines(const QDate& before)
{
    return QStringLiteral("(Date_ >= %1 or Date_ is null)").arg(sql::date(before));
}

Fingerprints documentsBefore(Connection& connection, const QDate& before)
{
    Fingerprints fingerprints;
    for (const DocumentTable& document : DocumentTables)
        fingerprints << tablecopy::fingerprintOf(connection, QLatin1String(document.table), closedLines(before));
    return fingerprints;
}

namespace {

qint64 linesWhere(Connection& connection, const QString& condition)
{
    qint64 lines = 0;
    RecordSet count;
    for (const DocumentTable& document : DocumentTables) {
        count.open(QStringLiteral("select count(*) from %1 where %2").arg(QLatin1String(document.table), condition),
                   connection);
        lines += count.field(0).toLongLong();
    }
    return lines;
}

}  // namespace

qint64 linesBefore(Connection& connection, const QDate& before)
{
    return linesWhere(connection, closedLines(before));
}

qint64 linesKept(Connection& connection, const QDate& before)
{
    return linesWhere(connection, keptLines(before));
}

ClosingStock closingStock(Connection& connection, const QDate& before)
{
    RecordSet rows;
    rows.open(stockOnTheDate(before) + QStringLiteral(" order by s.BillNumber"), connection);
    ClosingStock stock;
    for (const QVector<QVariant>& row : rows.rows())
        if (row.at(1).toInt() != 0)
            stock.append({qint16(row.at(0).toInt()), row.at(1).toInt()});
    return stock;
}

QString writingConnectionString(const QString& path)
{
    return QStringLiteral("DRIVER=SQLite3;Database=%1;NoCreat=1;JournalMode=DELETE").arg(sqlitefile::uri(path));
}

QString readingConnectionString(const QString& path)
{
    return QStringLiteral("DRIVER=SQLite3;Database=%1;NoCreat=1")
        .arg(sqlitefile::uri(path, sqlitefile::Access::ReadOnly));
}

qint64 dataVersion(Connection& sqlite)
{
    RecordSet version;
    version.open(QStringLiteral("PRAGMA data_version"), sqlite);
    return version.field(0).toLongLong();
}

std::optional<qint64> makeArchive(Connection& live, const QString& path, const QDate& before, QTextStream& out,
                                  const QString& namedDatabase)
{
    RecordSet statement;
    std::optional<qint64> copiedAt;
    if (tooldb::onServer(live)) {
        schema::createSqliteDatabase(path);
    } else {
        copiedAt = dataVersion(live);
        // Its owner's alone while SQLite fills it (guarded as the database once made).
        if (!sqlitefile::createPrivate(path))
            throw Failure(QStringLiteral("cannot make the file %1").arg(path));
        statement.open(QStringLiteral("VACUUM INTO ") + sql::text(path), live);
    }

    Connection archive;
    archive.open(writingConnectionString(path));
    if (tooldb::onServer(live)) {
        // The new file's first user row makes way for the server's users.
        statement.open(QStringLiteral("delete from UserTable"), archive);
        copyFromServer(live, archive);
    }
    keepTheYearOnly(archive, before);
    statement.open(sqlitefile::markAsArchiveStatement(), archive);
    check(archive, out, namedDatabase);
    archive.close();
    databasebackup::syncToDisk(path);
    return copiedAt;
}

}  // namespace closeyear
