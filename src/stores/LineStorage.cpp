// The changes a line-document store makes: lines stored and removed with
// the stock they move, under numbers no other till has.

#include "stores/LineDocumentStore.h"

#include "core/ClosedYear.h"
#include "core/Dates.h"
#include "core/Failure.h"
#include "core/NumericText.h"
#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

#include <QHash>

namespace stores {

namespace {

QString numberIs(qint16 number)
{
    return QStringLiteral("BillNumber = ") + sql::number(number);
}

// The lines of the opening receipt a year's close made: the close's mark.
QString closeMarkLines()
{
    return QStringLiteral(" and CustomerName = ") + sql::text(QLatin1String(closedyear::OpeningSupplier))
        + QStringLiteral(" and Remark like ") + sql::text(QLatin1String(closedyear::RemarkStart) + QLatin1Char('%'));
}

// The values of "insert into ... values(" in the order of the table, as SQL
// text: CHARGES "-", SN 0 and MRP 0 in their places; the first `columns`.
QStringList valuesOf(const DocumentLine& line, int columns = 17)
{
    return QStringList{sql::number(line.number),    sql::number(line.serial),     sql::text(line.item),
                       sql::number(line.quantity),  sql::number(line.amount),     sql::number(line.tax),
                       sql::number(line.discount),  sql::text(line.partyName),    sql::text(line.partyAddress),
                       sql::text(line.partyPhone),  sql::text(line.remark),       sql::text(QStringLiteral("-")),
                       sql::number(0),              sql::date(line.date),         sql::text(line.itemCode),
                       sql::text(line.batch),       sql::number(0)}
        .mid(0, columns);
}

// The next number to try after one was found taken: read again in the
// transaction, where it sees the row that took it.
claim::NextNumber nextAfterTaken(std::function<numbering::NextNumber()> read, const QString& usedUp)
{
    return [read = std::move(read), usedUp]() -> std::optional<qint16> {
        const numbering::NextNumber next = read();
        if (next.state == numbering::State::UsedUp)
            throw Failure(usedUp);
        return next.number;
    };
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

// A document shown without lines that holds some (another till's, or a
// number typed or offered) was not changed since: it was never shown. A
// voucher is shown by the boxes or the grid's current row.
QString changedDocument(Document document, qint16 number, const ShownRows& shownLines)
{
    if (shownLines.isEmpty() && document == Document::Voucher)
        return QStringLiteral("Voucher %1 is neither the one in the boxes nor the grid's current row: it is shown now.")
            .arg(number);
    if (shownLines.isEmpty())
        return QStringLiteral("Number %1 holds lines this screen had not shown: they are shown now.").arg(number);
    return QStringLiteral("Number %1 no longer holds the lines shown: another till or screen has changed them since.")
        .arg(number);
}

QString datedOtherwise(const QString& document, qint16 number, const QDate& dated, const QDate& chosen)
{
    QString capitalised = document;
    capitalised[0] = capitalised[0].toUpper();
    return QStringLiteral("%1 %2 is dated %3, and the lines added to it take that date. Set the date back to %3 "
                          "to add this line to it, or start a new %4 for %5.")
        .arg(capitalised, QString::number(number), dates::shown(dated), document, dates::shown(chosen));
}

// What a batch takes from its first receipt line, as one text to compare.
QString firstReceiptValues(const RecordSet& row)
{
    QStringList values;
    for (const char* column : {"Amount", "TaxInPercentage", "DiscountinPercentage", "CustomerName", "CustomerAddress",
                               "CustomerPhone", "Remark", "Date_"})
        values << row.field(QLatin1String(column)).toString();
    return values.join(QChar(0x1f));
}

}  // namespace

DocumentLine LineDocumentStore::storeLine(DocumentLine line, NumberUse use,
                                          const std::optional<ShownRows>& shownLines) const
{
    const QString table = lineTable();
    // The numbering lock first, as every claim takes it before its first write.
    claim::lockNumbers(table, connection());
    const KeptListsEdit lists(*this, table);
    // The lines shown lead the document still (another till may have added
    // after them); a document shown without lines has none still.
    if (use == NumberUse::Joins && shownLines) {
        const ShownRows stored = shownRows(gridStatement(line.number));
        if (shownLines->isEmpty() ? !stored.isEmpty() : stored.mid(0, shownLines->size()) != *shownLines)
            throw ChangedSinceShown(changedDocument(m_document, line.number, *shownLines));
    }
    // A document's lines carry its date, so that it counts in one day's
    // totals (a bill dated twice was counted whole on both days).
    QDate dated;
    if (use == NumberUse::Joins && m_document != Document::Voucher) {
        dated = documentDate(line.number);
        if (dated.isValid() && dated != line.date)
            throw Failure(datedOtherwise(documentName(), line.number, dated, line.date));
    }
    // A new document (one without lines, whatever its number) dated into a
    // closed year would stand beside that year's documents, under a number
    // one of them carries in its archive.
    if (!dated.isValid()) {
        const QDate newYear = newYearsFirstDayAfter(line.date);
        if (newYear.isValid())
            throw Failure(QStringLiteral("The year before %1 is closed: its documents are in its archive. Date this %2 "
                                         "%1 or later.")
                              .arg(dates::shown(newYear), documentName()));
    }
    // A voucher has no MRP.
    const int columns = m_document == Document::Voucher ? 16 : 17;
    const auto nextAfter = [this](const QString& statement, const QString& usedUp) {
        return nextAfterTaken([this, statement] { return afterMaximum(statement); }, usedUp);
    };
    if (use == NumberUse::Claims || use == NumberUse::Retakes) {
        // The first line: serial 1 of a document no line has yet; serial 0
        // stays, as a voucher's one line carries it.
        if (line.serial != 0)
            line.serial = 1;
        line.number = claim::storeUnderFreeNumber(
            table, line.number,
            [&](qint16 number) {
                DocumentLine first = line;
                first.number = number;
                return use == NumberUse::Claims
                           ? insertAsNextNumber(table, valuesOf(first, columns), number)
                           : claim::insertUnlessTaken(table, valuesOf(first, columns), numberIs(number));
            },
            nextAfter(QStringLiteral("Select max(BillNumber) from ") + table, usedUpMessage()),
            connection());
    } else {
        line.serial = claim::storeUnderFreeNumber(
            table, line.serial,
            [&](qint16 serial) {
                DocumentLine next = line;
                next.serial = serial;
                return claim::insertUnlessTaken(table, valuesOf(next, columns),
                                                numberIs(line.number) + QStringLiteral(" and Serial = ")
                                                    + sql::number(serial));
            },
            nextAfter(QStringLiteral("Select max(Serial) from ") + table + QStringLiteral(" where ")
                          + numberIs(line.number),
                      numbering::fullDocumentMessage(documentName(), line.number)),
            connection());
    }

    if (m_document == Document::Bill)
        moveStock(StockMove::Lower, line.quantity, line.itemCode, line.item, line.batch);
    else if (m_document == Document::GoodsReceipt)
        receiveIntoStock(line);
    lists.editNumberList(documentNumberList(), line.number, true);
    return line;
}

QDate LineDocumentStore::newYearsFirstDayAfter(const QDate& day) const
{
    // Read by the date's index: receipts dated after a new document's day are
    // few. A batch without a day (older books) counts as received before every close.
    const QString after = day.isValid() ? QStringLiteral("Date_ > ") + sql::date(day) : QStringLiteral("Date_ is not null");
    return firstValue(QStringLiteral("Select max(Date_) from ItemIn where ") + after + closeMarkLines()).toDate();
}

// The opening receipt a year's close made marks that close: a new document
// dated before it is refused by it, and a batch received before it keeps
// its first receipt's values (newYearsFirstDayAfter).
bool LineDocumentStore::marksAClose(const RecordSet& line) const
{
    return m_document == Document::GoodsReceipt
        && line.field(QStringLiteral("CustomerName")).toString() == QLatin1String(closedyear::OpeningSupplier)
        && line.field(QStringLiteral("Remark")).toString().startsWith(QLatin1String(closedyear::RemarkStart));
}

bool LineDocumentStore::holdsACloseMark(qint16 number) const
{
    return firstValue(QStringLiteral("Select count(*) from ItemIn where BillNumber = ") + sql::number(number) + closeMarkLines())
               .toInt()
        > 0;
}

// The mark goes to a line left in the receipt: one of the opening stock
// (the one typed in the deleted one's place) before a supplier's own; the
// receipt's last line stays. A batch that took its values from that line
// takes the mark with them, or the line's own delete would not find them
// its own and the batch would stay priced at it (keepFirstReceiptValues).
void LineDocumentStore::moveCloseMark(qint16 number, const RecordSet& deleted) const
{
    RecordSet left;
    left.open(QStringLiteral("Select * from ItemIn where BillNumber = ") + sql::number(number)
                  + QStringLiteral(" order by case when CustomerName = ") + sql::text(QLatin1String(closedyear::OpeningSupplier))
                  + QStringLiteral(" then 0 else 1 end, Serial"),
              connection());
    if (left.eof())
        throw Failure(closeMarkStays(number, deleted.field(QStringLiteral("Date_")).toDate(), CloseMarkDelete::LastLine));
    const QString mark = QStringLiteral("CustomerName = %1, Remark = %2")
                             .arg(sql::text(QLatin1String(closedyear::OpeningSupplier)),
                                  sql::text(deleted.field(QStringLiteral("Remark")).toString()));
    const QString ofTheBatch = QStringLiteral(" where ItemCode = ") + sql::text(left.field(QStringLiteral("ItemCode")).toString())
        + QStringLiteral(" and Item = ") + sql::text(left.field(QStringLiteral("Item")).toString())
        + QStringLiteral(" and Batch_Number = ") + sql::text(left.field(QStringLiteral("Batch_Number")).toString());
    const QString lineValues = firstReceiptValues(left);
    const QString line = QStringLiteral(" where BillNumber = ") + sql::number(number) + QStringLiteral(" and Serial = ")
        + sql::number(numeric::toInt16(left.field(QStringLiteral("Serial"))));
    left.close();
    RecordSet stock;
    stock.open(QStringLiteral("Select * from Stock") + ofTheBatch, connection());
    if (!stock.eof() && firstReceiptValues(stock) == lineValues)
        run(QStringLiteral("update Stock set ") + mark + ofTheBatch);
    stock.close();
    run(QStringLiteral("update ItemIn set ") + mark + line);
}

QString LineDocumentStore::closeMarkStays(qint16 number, const QDate& newYear, CloseMarkDelete what)
{
    return QStringLiteral("Receipt %1 carries the opening stock of the year that began %2, and marks the close of "
                          "the year before: %3 Put a line right by adding the right one first, then deleting the "
                          "wrong one.")
        .arg(number)
        .arg(dates::shown(newYear),
             what == CloseMarkDelete::Whole ? QStringLiteral("it is not deleted whole.")
                                            : QStringLiteral("its last line stays."));
}

std::optional<qint64> LineDocumentStore::serverTransaction() const
{
    if (connection().engine() != schema::Engine::Postgres)
        return std::nullopt;
    return firstValue(QStringLiteral("select txid_current()")).toLongLong();
}

LineDocumentStore::Outcome LineDocumentStore::outcome(qint64 transaction) const
{
    QString status;
    try {
        status = firstValue(QStringLiteral("select txid_status(%1)").arg(transaction)).toString();
    } catch (const DbError& error) {
        // "transaction ID ... is in the future": another server's, or one
        // made again from a dump.
        if (DbError::isUnavailable(error.kind()))
            throw;
        return Outcome::Unknown;
    }
    // The server's state, told as it is (the failure is no operation's own).
    if (status == QLatin1String("in progress"))
        throw Failure(QStringLiteral("The server is still storing the line added as the connection was lost. Try again "
                                     "in a minute."),
                      true);
    if (status == QLatin1String("committed"))
        return Outcome::Committed;
    return status == QLatin1String("aborted") ? Outcome::Aborted : Outcome::Unknown;
}

void LineDocumentStore::moveStock(StockMove move, qint16 quantity, const QString& itemCode, const QString& item,
                                  const QString& batch) const
{
    if (move == StockMove::None
        || (move == StockMove::RaiseNamedBatch && itemCode.isEmpty() && batch.isEmpty()))
        return;
    const QString change = move == StockMove::Lower ? QStringLiteral("Update Stock set Quantity = Quantity - ")
                                                    : QStringLiteral("Update Stock set Quantity = Quantity + ");
    run(change + sql::number(quantity) + QStringLiteral(" where ItemCode = ") + sql::text(itemCode)
        + QStringLiteral(" and Item = ") + sql::text(item) + QStringLiteral("  and Batch_Number = ") + sql::text(batch));
}

// A batch keeps the values of its first receipt line. Once that line is
// deleted (a line put right by typing it again first, then deleting the
// wrong one), the earliest line left is its first receipt: the next sales
// from the batch are priced at it. Its stock is left as the delete left it.
// A deleted line is the first receipt when it carried the batch's values and
// no line left carries them; neither numbers nor dates tell which line came
// first (a line may be added to an older receipt, and a year's close leaves
// the opening stock's line in place of the first receipt).
void LineDocumentStore::keepFirstReceiptValues(const QString& itemCode, const QString& item, const QString& batch,
                                               const QStringList& deletedLines) const
{
    if (m_document != Document::GoodsReceipt)
        return;
    const auto ofTheBatch = [&](const QString& table) {
        return QStringLiteral("%1ItemCode = %2 and %1Item = %3 and %1Batch_Number = %4")
            .arg(table, sql::text(itemCode), sql::text(item), sql::text(batch));
    };
    RecordSet stock;
    stock.open(QStringLiteral("Select * from Stock where ") + ofTheBatch(QString()), connection());
    if (stock.eof())
        return;
    const QString batchValues = firstReceiptValues(stock);
    if (!deletedLines.contains(batchValues))
        return;
    RecordSet left;
    left.open(QStringLiteral("Select * from ItemIn where ") + ofTheBatch(QString()), connection());
    for (; !left.eof(); left.moveNext())
        if (firstReceiptValues(left) == batchValues)
            return;
    run(QStringLiteral("update Stock set Amount = f.Amount, TaxInPercentage = f.TaxInPercentage, "
                       "DiscountinPercentage = f.DiscountinPercentage, CustomerName = f.CustomerName, "
                       "CustomerAddress = f.CustomerAddress, CustomerPhone = f.CustomerPhone, Remark = f.Remark, "
                       "Date_ = f.Date_ from (select * from ItemIn where %1 order by BillNumber, Serial limit 1) f "
                       "where %2")
            .arg(ofTheBatch(QString()), ofTheBatch(QStringLiteral("Stock."))));
}

void LineDocumentStore::receiveIntoStock(const DocumentLine& line) const
{
    // Under the lock another till cannot create the batch, or take the
    // number, between the look and the insert.
    claim::lockNumbers(QStringLiteral("Stock"), connection());
    const QString batch = QStringLiteral(" and Item = ") + sql::text(line.item);
    const QString ofTheBatch = QStringLiteral(" where ItemCode = ") + sql::text(line.itemCode) + batch
        + QStringLiteral(" and Batch_Number = ") + sql::text(line.batch);
    RecordSet rows;
    rows.open(QStringLiteral("Select ItemCode from Stock where ItemCode = ") + sql::text(line.itemCode) + batch
                  + QStringLiteral("  and Batch_Number = ") + sql::text(line.batch),
              connection());
    if (rows.recordCount() > 0) {
        // A batch keeps the values of its first receipt. When every line of
        // it was deleted and nothing was sold from it (a line put right by
        // deleting it and typing it again), this line is its first receipt.
        // Asked first: another receipt line of the batch, as there usually is.
        // A batch first received before a year's close has its first receipt
        // in the archive, whatever lines are left here.
        if (firstValue(QStringLiteral("Select count(*) from ItemIn") + ofTheBatch).toInt() == 1
            && firstValue(QStringLiteral("Select Quantity from Stock") + ofTheBatch).toInt() == 0
            && firstValue(QStringLiteral("Select count(*) from asigncharges") + ofTheBatch).toInt() == 0
            && !newYearsFirstDayAfter(firstValue(QStringLiteral("Select Date_ from Stock") + ofTheBatch).toDate()).isValid()) {
            const QStringList values = valuesOf(line);
            run(QStringLiteral("update Stock set Quantity = %1, Amount = %2, TaxInPercentage = %3, "
                               "DiscountinPercentage = %4, CustomerName = %5, CustomerAddress = %6, "
                               "CustomerPhone = %7, Remark = %8, Date_ = %9")
                    .arg(values[3], values[4], values[5], values[6], values[7], values[8], values[9], values[10], values[13])
                + ofTheBatch);
            return;
        }
        run(QStringLiteral("update Stock set Quantity = Quantity + ") + sql::number(line.quantity)
            + QStringLiteral(" Where ItemCode = ") + sql::text(line.itemCode) + batch
            + QStringLiteral("    and Batch_Number = ") + sql::text(line.batch));
        return;
    }
    const QString largest = QStringLiteral("Select max(BillNumber) from Stock");
    const QString usedUp = numbering::usedUpMessage(QStringLiteral("stock row"));
    const numbering::NextNumber row = afterMaximum(largest);
    if (row.state == numbering::State::UsedUp)
        throw Failure(usedUp);
    claim::storeUnderFreeNumber(
        QStringLiteral("Stock"), row.number,
        [&](qint16 number) {
            DocumentLine batchRow = line;
            batchRow.number = number;
            batchRow.serial = 0;
            return claim::insertUnlessTaken(QStringLiteral("Stock"), valuesOf(batchRow), numberIs(number));
        },
        nextAfterTaken([this, largest] { return afterMaximum(largest); }, usedUp), connection());
}

bool LineDocumentStore::removeLine(qint16 number, qint16 serial, StockMove move,
                                   const std::optional<QStringList>& shownLine) const
{
    const QString line = QStringLiteral(" where BillNumber = ") + sql::number(number) + QStringLiteral(" and Serial = ")
        + sql::number(serial);
    const KeptListsEdit lists(*this, lineTable());  // the writing turn: no till stores under the number meanwhile
    if (shownLine && shownRows(gridStatement(number, serial)).value(0) != *shownLine)
        throw ChangedSinceShown(QStringLiteral("Number %1 no longer holds the line shown as serial %2: another till or "
                                               "screen deleted it.")
                          .arg(number)
                          .arg(serial));
    RecordSet stored;
    stored.open(QStringLiteral("Select * from ") + lineTable() + line, connection());
    const QString itemCode = stored.field(QStringLiteral("ItemCode")).toString();
    const QString item = stored.field(QStringLiteral("Item")).toString();
    const QString batch = stored.field(QStringLiteral("Batch_Number")).toString();
    const QString deleted = firstReceiptValues(stored);
    const bool closeMark = marksAClose(stored);
    moveStock(move, numeric::toInt16(stored.field(QStringLiteral("Quantity"))), itemCode, item, batch);
    run(QStringLiteral("Delete * from ") + lineTable() + line);
    if (closeMark && !holdsACloseMark(number))
        moveCloseMark(number, stored);
    keepFirstReceiptValues(itemCode, item, batch, {deleted});
    const bool linesLeft = firstValue(QStringLiteral("Select count(*) from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                                      + sql::number(number))
                               .toInt()
        > 0;
    lists.editNumberList(documentNumberList(), number, linesLeft);
    return linesLeft;
}

ShownRows LineDocumentStore::shownRows(const QString& statement) const
{
    RecordSet rows;
    rows.open(statement, connection());
    ShownRows shownRows;
    for (; !rows.eof(); rows.moveNext()) {
        QStringList row;
        for (int column = 0; column < rows.fieldCount(); ++column)
            row << shown::text(rows.field(column));
        shownRows << row;
    }
    return shownRows;
}

void LineDocumentStore::removeDocument(qint16 number, StockMove move, const std::optional<ShownRows>& shownLines) const
{
    const QString document = QStringLiteral(" where BillNumber = ") + sql::number(number);
    const KeptListsEdit lists(*this, lineTable());  // the writing turn: no till stores under the number meanwhile
    if (shownLines) {
        const ShownRows stored = shownRows(gridStatement(number));
        // The grid of every voucher shows the voucher by its current row: one
        // of its rows, when another program stored it as several.
        const bool asShown = m_document == Document::Voucher ? stored.contains(shownLines->value(0)) : stored == *shownLines;
        if (!stored.isEmpty() && !asShown)
            throw ChangedSinceShown(changedDocument(m_document, number, *shownLines));
    }
    // "Data Deleted" would tell the operator that the lines shown beside the
    // number (another document's, or ones already deleted elsewhere) are gone.
    if (firstValue(QStringLiteral("Select count(*) from ") + lineTable() + document).toInt() == 0)
        throw ChangedSinceShown(QStringLiteral("Number %1 holds no lines: nothing was deleted.").arg(number));
    QVector<QStringList> batches;
    QHash<QStringList, QStringList> deletedOfBatch;
    if (move != StockMove::None) {
        RecordSet lines;
        lines.open(QStringLiteral("Select * from ") + lineTable() + document
                       + QStringLiteral(" order by BillNumber asc , serial asc"),
                   connection());
        for (; !lines.eof(); lines.moveNext()) {
            if (marksAClose(lines))
                throw Failure(closeMarkStays(number, lines.field(QStringLiteral("Date_")).toDate(), CloseMarkDelete::Whole));
            const QStringList batch{lines.field(QStringLiteral("ItemCode")).toString(),
                                    lines.field(QStringLiteral("Item")).toString(),
                                    lines.field(QStringLiteral("Batch_Number")).toString()};
            moveStock(move, numeric::toInt16(lines.field(QStringLiteral("Quantity"))), batch[0], batch[1], batch[2]);
            if (!batches.contains(batch))
                batches << batch;
            deletedOfBatch[batch] << firstReceiptValues(lines);
        }
    }
    run(QStringLiteral("Delete * from ") + lineTable() + document);
    for (const QStringList& batch : batches)
        keepFirstReceiptValues(batch[0], batch[1], batch[2], deletedOfBatch.value(batch));
    lists.editNumberList(documentNumberList(), number, false);
}

}  // namespace stores
