#include "YearArchive.h"

#include "BatchLines.h"
#include "CheckCommand.h"
#include "ToolDatabase.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/QueryRows.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"
#include "core/Failure.h"

#include <QHash>
#include <QTextStream>

namespace closeyear {

namespace {

// Lines read at a time from a large result.
constexpr int Batch = 500;

// A value's bytes as every engine gives them alike, tagged by kind: a
// number as its double (exact for every 16-bit integer and every double),
// a date as its day number, a text as its length and characters.
void appendValue(QByteArray& row, const QVariant& value)
{
    const auto append = [&row](char kind, const void* bytes, qsizetype size) {
        row.append(kind);
        row.append(static_cast<const char*>(bytes), size);
    };
    if (!value.isValid() || value.isNull()) {
        row.append('0');
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const qint64 day = value.toDate().toJulianDay();
        append('D', &day, sizeof day);
        return;
    }
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble() + 0.0;  // -0 as 0
        append('N', &number, sizeof number);
        return;
    }
    default: {
        const QString text = value.toString();
        const qint64 length = text.size();
        append('T', &length, sizeof length);
        row.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    }
}

Fingerprint fingerprintOf(const QString& statement, Connection& connection)
{
    Fingerprint fingerprint;
    QueryRows rows = QueryRows::run(statement, connection);
    QByteArray bytes;
    while (!rows.atEnd()) {
        for (const QVector<QVariant>& row : rows.fetch(Batch)) {
            bytes.clear();
            for (const QVariant& value : row)
                appendValue(bytes, value);
            ++fingerprint.lines;
            fingerprint.sum += qHashBits(bytes.constData(), size_t(bytes.size()), 0x5eed);
        }
    }
    return fingerprint;
}

// A value as a literal of the statement that copies it: a double with the
// 17 digits that give back the same double.
QString literal(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("null");
    switch (value.metaType().id()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return sql::date(value.toDate());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    default:
        return sql::text(value.toString());
    }
}

// Every row of every table of the live database into the archive.
void copyTables(Connection& live, Connection& archive)
{
    RecordSet statement;
    const QHash<QString, QStringList> tables = schema::columnNames();
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        const QString columns = table.value().join(QStringLiteral(", "));
        QueryRows rows = QueryRows::run(QStringLiteral("select %1 from %2").arg(columns, table.key()), live);
        while (!rows.atEnd()) {
            QStringList values;
            for (const QVector<QVariant>& row : rows.fetch(Batch)) {
                QStringList literals;
                for (const QVariant& value : row)
                    literals << literal(value);
                values << QLatin1Char('(') + literals.join(QLatin1Char(',')) + QLatin1Char(')');
            }
            if (!values.isEmpty())
                statement.open(QStringLiteral("insert into %1 (%2) values %3")
                                   .arg(table.key(), columns, values.join(QLatin1Char(','))),
                               archive);
        }
    }
}

// Every row of every table of the server's database into the new archive,
// read in one snapshot of the server's, so that the stock and the lines
// agree as they did at one moment.
void copyFromServer(Connection& live, Connection& archive)
{
    Transaction snapshot(live);
    RecordSet statement;
    statement.open(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"), live);
    Transaction writing(archive);
    billsums::changeManyLines(archive, [&] { copyTables(live, archive); });
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
    billsums::changeManyLines(archive, [&] {
        for (const DocumentTable& document : DocumentTables)
            statement.open(QStringLiteral("delete from %1 where %2").arg(QLatin1String(document.table), keptLines(before)),
                           archive);
    });
    transaction.commit();
}

void check(Connection& archive, QTextStream& out)
{
    const QStringList problems = tooldb::integrityProblems(archive);
    if (!problems.isEmpty())
        throw Failure(QStringLiteral("the archive failed its integrity check (%1); nothing was changed")
                          .arg(problems.first()));
    const QStringList findings = auditFindings(archive);
    if (findings.isEmpty())
        return;
    out << "The archive's audit lists:\n";
    for (const QString& finding : findings)
        out << "  " << finding << "\n";
    throw Failure(QStringLiteral("the year's documents and stock do not add up (%1 listed; billdb check lists them "
                                 "in the database as well); nothing was changed")
                      .arg(findings.size()));
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
        fingerprints << fingerprintOf(
            QStringLiteral("select * from %1 where %2").arg(QLatin1String(document.table), closedLines(before)),
            connection);
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

std::optional<qint64> makeArchive(Connection& live, const QString& path, const QDate& before, QTextStream& out)
{
    RecordSet statement;
    std::optional<qint64> copiedAt;
    if (tooldb::onServer(live)) {
        schema::createSqliteDatabase(path);
    } else {
        copiedAt = dataVersion(live);
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
    check(archive, out);
    archive.close();
    tooldb::syncToDisk(path);
    return copiedAt;
}

}  // namespace closeyear
