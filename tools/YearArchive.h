#pragma once

#include "TableCopy.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>
#include <QtGlobal>

class Connection;
class QTextStream;

// The archive of a closed year: a SQLite database of this program holding
// the bills, receipts and vouchers dated before the close's date, the
// masters as they stand and the stock as it stood on that date.
namespace closeyear {

// The tables of the documents a close moves, and how messages name one.
struct DocumentTable {
    const char* table;
    const char* name;
};
inline constexpr DocumentTable DocumentTables[] = {
    {"asigncharges", "bill"}, {"ItemIn", "receipt"}, {"ExpenditureTable", "voucher"}};

// Lines dated before the date, and lines that stay: on or after it, or with no date.
QString closedLines(const QDate& before);
QString keptLines(const QDate& before);

// What the close compares of a table's lines (TableCopy.h).
using Fingerprint = tablecopy::Fingerprint;
// One per document table, in the order of DocumentTables.
using Fingerprints = QVector<Fingerprint>;

// The lines dated before the date, in each document table on the open connection.
Fingerprints documentsBefore(Connection& connection, const QDate& before);
// How many there are; how many lines stay (keptLines).
qint64 linesBefore(Connection& connection, const QDate& before);
qint64 linesKept(Connection& connection, const QDate& before);

// Each stock batch's number with its quantity on the date, where that is
// not zero: the quantity now, less the receipts and plus the sales of the
// lines that stay.
using ClosingStock = QVector<QPair<qint16, int>>;
ClosingStock closingStock(Connection& connection, const QDate& before);

// A connection string that writes the archive file: SQLite with a rollback
// journal, so that the finished file is one file, readable from a place
// that cannot be written.
QString writingConnectionString(const QString& path);
// One that only reads it.
QString readingConnectionString(const QString& path);

// Makes the archive of the live database in the new file `path`: a copy
// taken by SQLite of a SQLite database, the rows of every table copied from
// a server; then without the lines that stay and with the stock on the
// date. It must pass the integrity check and billdb check's audit (the audit's
// findings are listed on out). Throws Failure; the file may then be left
// unfinished. Returns the SQLite database's data version from before the
// copy (dataVersion); none from a server. namedDatabase: the file named
// with --database (empty for the data source's), for the check to advise.
std::optional<qint64> makeArchive(Connection& live, const QString& path, const QDate& before, QTextStream& out,
                                  const QString& namedDatabase);

// SQLite's count of the changes other connections committed to the
// database, as this connection sees it: unchanged, nothing was committed.
qint64 dataVersion(Connection& sqlite);

}  // namespace closeyear
