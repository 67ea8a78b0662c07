#include "billing/LineStore.h"

#include "billing/DocumentNumbering.h"
#include "data/Connection.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/Failure.h"

namespace billing {

namespace {

// The next number after the largest the statement reads, for a claim that
// found its number taken.
claim::NextNumber nextAfterMaximum(const QString& statement, const QString& usedUp, Connection& connection)
{
    return [statement, usedUp, &connection]() -> std::optional<qint16> {
        RecordSet result;
        const numbering::NextNumber next = numbering::afterMaximum(statement, result, connection);
        if (next.state == numbering::State::UsedUp)
            throw Failure(usedUp);
        if (next.state != numbering::State::Free)
            return std::nullopt;
        return next.number;
    };
}

QString numberIs(qint16 number)
{
    return QStringLiteral("BillNumber = ") + sql::number(number);
}

// The first line of a new document, stored only while its number is the
// stored maximum plus one, as it was when the screen offered it. A number
// no longer on top is not taken: another till's document has it, or the
// year was closed and numbers begin at 1 again.
QString insertAsNextNumber(const QString& table, const QStringList& values, qint16 number)
{
    QString insert = QStringLiteral("insert into %1 select %2 where not exists (select 1 from %1 where BillNumber >= %3)")
                         .arg(table, values.join(QLatin1Char(',')), sql::number(number));
    if (number > 1)
        insert += QStringLiteral(" and exists (select 1 from %1 where BillNumber = %2)").arg(table, sql::number(number - 1));
    return insert;
}

}  // namespace

DocumentLine storeLine(const LineDocumentKind& kind, DocumentLine line, NumberUse use, Connection& connection)
{
    const QString& table = kind.lineTable;
    const auto valuesOf = [&](const DocumentLine& stored) { return stored.values().mid(0, kind.lineColumns); };
    if (use == NumberUse::Claims) {
        // The first line: serial 1 of a document no line has yet; serial 0
        // stays, as a voucher's one line carries it.
        if (line.serial != 0)
            line.serial = 1;
        line.number = claim::storeUnderFreeNumber(
            table, line.number,
            [&](qint16 number) {
                DocumentLine first = line;
                first.number = number;
                return insertAsNextNumber(table, valuesOf(first), number);
            },
            nextAfterMaximum(QStringLiteral("Select max(BillNumber) from ") + table,
                             numbering::documentsUsedUpMessage(kind.documentName), connection),
            connection);
    } else {
        line.serial = claim::storeUnderFreeNumber(
            table, line.serial,
            [&](qint16 serial) {
                DocumentLine next = line;
                next.serial = serial;
                return claim::insertUnlessTaken(table, valuesOf(next),
                                                numberIs(line.number) + QStringLiteral(" and Serial = ")
                                                    + sql::number(serial));
            },
            nextAfterMaximum(QStringLiteral("Select max(Serial) from ") + table + QStringLiteral(" where ")
                                 + numberIs(line.number),
                             numbering::fullDocumentMessage(kind.documentName, line.number), connection),
            connection);
    }

    if (kind.stockOnAdd == StockOnAdd::Sell)
        moveStock(StockMove::Lower, line.quantity, line.itemCode, line.item, line.batch, connection);
    else if (kind.stockOnAdd == StockOnAdd::Receive)
        receiveIntoStock(line, connection);
    return line;
}

void moveStock(StockMove move, qint16 quantity, const QString& itemCode, const QString& item, const QString& batch,
               Connection& connection)
{
    if (move == StockMove::None
        || (move == StockMove::RaiseNamedBatch && itemCode.isEmpty() && batch.isEmpty()))
        return;
    const QString change = move == StockMove::Lower ? QStringLiteral("Update Stock set Quantity = Quantity - ")
                                                    : QStringLiteral("Update Stock set Quantity = Quantity + ");
    RecordSet statement;
    statement.open(change + sql::number(quantity) + QStringLiteral(" where ItemCode = ") + sql::text(itemCode)
                       + QStringLiteral(" and Item = ") + sql::text(item) + QStringLiteral("  and Batch_Number = ")
                       + sql::text(batch),
                   connection);
}

void receiveIntoStock(const DocumentLine& line, Connection& connection)
{
    // Under the lock another till cannot create the batch, or take the
    // number, between the look and the insert.
    claim::lockNumbers(QStringLiteral("Stock"), connection);
    const QString batch = QStringLiteral(" and Item = ") + sql::text(line.item);
    RecordSet rows;
    rows.open(QStringLiteral("Select ItemCode from Stock where ItemCode = ") + sql::text(line.itemCode) + batch
                  + QStringLiteral("  and Batch_Number = ") + sql::text(line.batch),
              connection);
    if (rows.recordCount() > 0) {
        rows.open(QStringLiteral("update Stock set Quantity = Quantity + ") + sql::number(line.quantity)
                      + QStringLiteral(" Where ItemCode = ") + sql::text(line.itemCode) + batch
                      + QStringLiteral("    and Batch_Number = ") + sql::text(line.batch),
                  connection);
        return;
    }
    const QString largest = QStringLiteral("Select max(BillNumber) from Stock");
    const numbering::NextNumber row = numbering::afterMaximum(largest, rows, connection);
    if (row.state == numbering::State::UsedUp)
        throw Failure(numbering::usedUpMessage(QStringLiteral("stock row")));
    if (row.state != numbering::State::Free)
        throw Failure(QStringLiteral("The stock rows could not be read."));
    claim::storeUnderFreeNumber(
        QStringLiteral("Stock"), row.number,
        [&](qint16 number) {
            DocumentLine batchRow = line;
            batchRow.number = number;
            batchRow.serial = 0;
            return claim::insertUnlessTaken(QStringLiteral("Stock"), batchRow.values(), numberIs(number));
        },
        nextAfterMaximum(largest, numbering::usedUpMessage(QStringLiteral("stock row")), connection), connection);
}

}  // namespace billing
