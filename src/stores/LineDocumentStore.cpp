#include "stores/LineDocumentStore.h"

#include "core/Dates.h"
#include "core/LineFigures.h"
#include "core/NumericText.h"
#include "data/AdminTool.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "core/FigureColumns.h"

namespace stores {

namespace {

// The tables of a kind of document, and how messages name one.
struct Tables {
    const char* lines;
    const char* parties;
    const char* name;
};

const Tables& tablesOf(Document document)
{
    static const Tables all[]{{"asigncharges", "Customer", "bill"},
                              {"ItemIn", "Supplier", "receipt"},
                              {"ExpenditureTable", "ExpenditurePerson", "voucher"}};
    return all[int(document)];
}

QString partySelect(const QString& table)
{
    return QStringLiteral("Select  SN, ITEM, PARTNO,REMARK from ") + table;
}

Party partyOf(const RecordSet& found)
{
    const QVariant name = found.field(QStringLiteral("ITEM"));
    const QVariant address = found.field(QStringLiteral("PARTNO"));
    return {name, address, found.field(QStringLiteral("REMARK")).toString()};
}

// The line totals of the rows from their Amount, Quantity,
// DiscountinPercentage and TaxInPercentage, added and rounded once; each
// row's Amount also into `unitAmounts` when it is given.
double roundedTotalOf(RecordSet& lines, QVector<double>* unitAmounts = nullptr)
{
    QVector<double> totals;
    for (; !lines.eof(); lines.moveNext()) {
        const double unitAmount = numeric::toDouble(lines.field(QStringLiteral("Amount")));
        if (unitAmounts)
            unitAmounts->append(unitAmount);
        totals << arithmetic::lineFigures(unitAmount,
                                          numeric::toDouble(lines.field(QStringLiteral("Quantity"))),
                                          numeric::toDouble(lines.field(QStringLiteral("DiscountinPercentage"))),
                                          numeric::toDouble(lines.field(QStringLiteral("TaxInPercentage"))))
                      .total;
    }
    return arithmetic::roundedOnceTotal(totals);
}

// A goods receipt's lines with what their figures are made of, in serial order.
QString figuresOfLines(const QString& table, qint16 number)
{
    return QStringLiteral("Select CustomerName, CustomerAddress, CustomerPhone ,DiscountinPercentage,TaxInPercentage,  "
                          "Serial, Item, Quantity , Amount from ")
        + table + QStringLiteral("  where BillNumber = ") + sql::number(number) + QStringLiteral(" order by Serial");
}

}  // namespace

LineDocumentStore::LineDocumentStore(Document document) : m_document(document) {}

LineDocumentStore::LineDocumentStore(Document document, Connection& connection)
    : Store(connection), m_document(document)
{
}

QString LineDocumentStore::lineTable() const
{
    return QLatin1String(tablesOf(m_document).lines);
}

QString LineDocumentStore::partyTable() const
{
    return QLatin1String(tablesOf(m_document).parties);
}

QString LineDocumentStore::documentName() const
{
    return QLatin1String(tablesOf(m_document).name);
}

QString LineDocumentStore::usedUpMessage() const
{
    return numbering::usedUpMessage(documentName()) + QStringLiteral("\n\n") + admintool::closeYearAdvice(documentName());
}

QString LineDocumentStore::runningOutMessage(const numbering::NextNumber& next) const
{
    const QString warning = numbering::runningOutMessage(documentName(), next);
    return warning.isEmpty() ? warning : warning + QStringLiteral("\n\n") + admintool::closeYearAdvice(documentName());
}

numbering::NextNumber LineDocumentStore::afterMaximum(const QString& statement) const
{
    return numbering::afterMaximum(firstValue(statement));
}

numbering::NextNumber LineDocumentStore::nextNumber() const
{
    return afterMaximum(QStringLiteral("Select max(BillNumber) from ") + lineTable());
}

numbering::NextNumber LineDocumentStore::nextSerial(qint16 number) const
{
    return afterMaximum(QStringLiteral("Select max(Serial) from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                        + sql::number(number));
}

NumberList LineDocumentStore::documentNumberList() const
{
    return {QStringLiteral("Select distinct(BillNumber) AS Item from ") + lineTable()
                + QStringLiteral(" ORDER BY BillNumber desc"),
            lineTable(), QStringLiteral("BillNumber"), Order::HighestFirst, joinednumbers::Column::Repeating,
            billsums::numbersKeptFor(lineTable())};
}

QStringList LineDocumentStore::documentNumbers() const
{
    return numberEntries(documentNumberList());
}

QStringList LineDocumentStore::partyNumbers(Order order) const
{
    if (order == Order::LowestFirst)
        return numberEntries({QStringLiteral("Select Distinct(SN) from ") + partyTable() + QStringLiteral("  ORDER BY SN ASC"),
                              partyTable(), QStringLiteral("SN"), order});
    return numberEntries({QStringLiteral("Select distinct(SN) from ") + partyTable() + QStringLiteral(" order by SN desc"),
                          partyTable(), QStringLiteral("SN"), order});
}

QStringList LineDocumentStore::itemNames(ItemNames names) const
{
    switch (names) {
    case ItemNames::InStock:
        return entries(QStringLiteral("Select distinct(Item)from Stock order by Item ASC"), QStringLiteral("Stock"));
    case ItemNames::OfItemMaster:
        return entries(QStringLiteral("Select distinct(TYPEOFCHARGES) AS Item from charges ORDER BY TYPEOFCHARGES ASC"), QStringLiteral("charges"));
    case ItemNames::OfExpenditureHeads:
        break;
    }
    return entries(QStringLiteral("Select distinct(TYPEOFCHARGES) AS Item From ExpenditureHead ORDER BY TYPEOFCHARGES ASC"),
                   QStringLiteral("ExpenditureHead"));
}

QStringList LineDocumentStore::itemCodes() const
{
    return entries(QStringLiteral("Select distinct(ItemCode) from Stock ORDER BY ItemCode ASC"), QStringLiteral("Stock"));
}

QStringList LineDocumentStore::batchesOfCode(const QString& itemCode) const
{
    return entries(QStringLiteral("Select distinct(Batch_Number) from Stock where ItemCode = ") + sql::text(itemCode)
                   + QStringLiteral(" ORDER BY Batch_Number ASC"), QStringLiteral("Stock"));
}

Party LineDocumentStore::party(qint16 partyNumber) const
{
    RecordSet found;
    found.open(partySelect(partyTable()) + QStringLiteral(" where sn = ") + sql::number(partyNumber), connection());
    return partyOf(found);
}

std::optional<Party> LineDocumentStore::partyByPhone(const QString& phone) const
{
    Connection own;
    own.open();
    RecordSet found;
    found.open(QStringLiteral("Select  SN, ITEM , PARTNO ,REMARK  from ") + partyTable()
                   + QStringLiteral(" where REMARK Like ") + sql::text(QLatin1Char('%') + phone + QLatin1Char('%'))
                   + QStringLiteral(" order by SN"),
               own);
    if (found.eof())
        return std::nullopt;
    return partyOf(found);
}

StockBatch LineDocumentStore::firstBatchOfCode(const QString& itemCode) const
{
    RecordSet found;
    // A batch holding stock first: one emptied by a receipt line deleted and
    // typed again under the right item would otherwise sell under the wrong
    // name and price. Then the same batch on both engines: by item, batch.
    found.open(QStringLiteral("Select  ITEM, Batch_Number from Stock where ItemCode = ") + sql::text(itemCode)
                   + QStringLiteral(" order by case when Quantity > 0 then 0 else 1 end, Item, Batch_Number"),
               connection());
    const QString item = found.field(QStringLiteral("ITEM")).toString();
    return {item, found.field(QStringLiteral("Batch_Number")).toString()};
}

double LineDocumentStore::priceByMrp(const QString& item) const
{
    // The batch received first: its stock number is the lowest.
    return numeric::toDouble(firstValue(QStringLiteral("Select MRP from Stock WHERE Item = ") + sql::text(item)
                                        + QStringLiteral(" order by BillNumber")));
}

double LineDocumentStore::priceOfBatch(const QString& itemCode, const QString& item, const QString& batch) const
{
    // One code may stand for several items: the row is the one whose stock
    // the sale takes, so that a line is never priced from one batch and
    // taken from none.
    return numeric::toDouble(firstValue(QStringLiteral("Select Amount from Stock WHERE ItemCode = ") + sql::text(itemCode)
                                        + QStringLiteral(" and Item = ") + sql::text(item)
                                        + QStringLiteral(" and Batch_Number = ") + sql::text(batch)));
}

double LineDocumentStore::grandTotal(qint16 number) const
{
    RecordSet lines;
    // Added in serial order, as the totals kept for Show Total are: the same
    // figure to the last bit on either engine.
    lines.open(QStringLiteral("Select * from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                   + sql::number(number) + QStringLiteral(" order by Serial"),
               connection());
    return roundedTotalOf(lines);
}

LoadedDocument LineDocumentStore::load(qint16 number) const
{
    RecordSet lines;
    lines.open(m_document == Document::GoodsReceipt
                   ? figuresOfLines(lineTable(), number)
                   : QStringLiteral("Select * from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                         + sql::number(number) + QStringLiteral(" order by Serial"),
               connection());
    // The party of the first line, as the printed receipt names it.
    LoadedDocument loaded;
    if (!lines.eof())
        loaded.party = Party{lines.field(QStringLiteral("CustomerName")), lines.field(QStringLiteral("CustomerAddress")),
                             lines.field(QStringLiteral("CustomerPhone")).toString()};
    loaded.grandTotal = roundedTotalOf(lines);
    return loaded;
}

QDate LineDocumentStore::documentDate(qint16 number) const
{
    RecordSet first;
    first.open(QStringLiteral("Select Date_ from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                   + sql::number(number) + QStringLiteral(" order by Serial"),
               connection());
    return first.eof() ? QDate() : first.field(0).toDate();
}

DocumentLine LineDocumentStore::voucher(qint16 number) const
{
    RecordSet found;
    found.open(QStringLiteral("Select * from ") + lineTable() + QStringLiteral(" where BillNumber = ")
                   + sql::number(number),
               connection());
    DocumentLine line;
    line.number = number;
    line.item = found.field(QStringLiteral("Item")).toString();
    line.amount = numeric::toDouble(found.field(QStringLiteral("Amount")));
    line.partyName = found.field(QStringLiteral("CustomerName")).toString();
    line.partyAddress = found.field(QStringLiteral("CustomerAddress")).toString();
    line.partyPhone = found.field(QStringLiteral("CustomerPhone")).toString();
    line.remark = found.field(QStringLiteral("Remark")).toString();
    line.date = dates::fromStored(found.field(QStringLiteral("Date_")));
    return line;
}

namespace {

// A voucher's row in the grid of every voucher.
const char* const VoucherColumns = "Select  BillNumber as No,Date_ , Item as Head,  Amount ,CustomerPhone as "
                                   "Phone ,CustomerName as Name_,CustomerAddress as Address from ExpenditureTable";

}  // namespace

QString LineDocumentStore::gridStatement(qint16 number, std::optional<qint16> serial) const
{
    if (m_document == Document::Voucher)
        return QLatin1String(VoucherColumns) + QStringLiteral(" where BillNumber = ") + sql::number(number);
    const QString oneLine = serial ? QStringLiteral(" and Serial = ") + sql::number(*serial) : QString();
    const QString lines = QStringLiteral(" from ") + lineTable() + QStringLiteral("  where BillNumber = ")
        + sql::number(number) + oneLine + QStringLiteral(" order by Serial asc");
    return m_document == Document::Bill
        ? QStringLiteral("Select  Serial, Item, Quantity , ") + figures::gridColumns() + lines
        : QStringLiteral("Select  Serial,ItemCode,Batch_Number, Item, Quantity , ") + figures::gridColumns()
            + QStringLiteral(" , CustomerName as SupName , CustomerAddress as SupAddress , CustomerPhone as SupPhone")
            + lines;
}

PagedRows LineDocumentStore::gridRows(qint16 number) const
{
    if (m_document != Document::Voucher)
        return pagedRows(gridStatement(number));
    // Newest first: a voucher's row comes after those of the higher numbers,
    // so a voucher far down is found without reading the rows before it.
    RowKeyOrder byNumber;
    byNumber.column = 0;
    byNumber.countBefore = [](const QString& key) {
        const std::optional<int> number = numeric::plainWholeNumber(key);
        if (!number || *number < -32768 || *number > 32767)
            return QString();  // no voucher number shows as this text
        return QStringLiteral("Select count(*) from ExpenditureTable where BillNumber > ") + sql::number(*number);
    };
    return pagedRows(QLatin1String(VoucherColumns) + QStringLiteral(" order by BillNumber desc"), byNumber);
}

ReceiptValues LineDocumentStore::receipt(qint16 number) const
{
    RecordSet lines;
    lines.open(QStringLiteral("Select CustomerName, CustomerAddress, CustomerPhone ,  Serial, Item, Quantity , ")
                   + figures::printedColumns() + QStringLiteral(" , Date_ from ") + lineTable()
                   + QStringLiteral("  where BillNumber = ") + sql::number(number)
                   + QStringLiteral(" order by Serial asc"),
               connection());
    ReceiptValues document;
    document.number = number;
    if (!lines.eof()) {
        document.partyName = lines.field(0);
        document.partyAddress = lines.field(1);
        document.partyPhone = lines.field(2);
        document.date = lines.field(10);
    }
    // Item, quantity, line amount, discount, total.
    for (const QVector<QVariant>& row : lines.rows())
        document.lines.append({row.value(4), row.value(5), row.value(6), row.value(7), row.value(9)});
    return document;
}

ReceiptTotal LineDocumentStore::printedTotal(qint16 number) const
{
    RecordSet lines;
    lines.open(figuresOfLines(lineTable(), number), connection());
    ReceiptTotal total;
    total.grandTotal = roundedTotalOf(lines, &total.unitAmounts);
    return total;
}

QVector<PrintedRow> LineDocumentStore::voucherRegister() const
{
    RecordSet vouchers;
    vouchers.open(QStringLiteral("Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc"),
                  connection());
    return vouchers.rows();
}

double LineDocumentStore::sumOfAmounts() const
{
    const QVariant sum = firstValue(QStringLiteral("Select sum(Amount) from ExpenditureTable"), QStringLiteral("ExpenditureTable"));
    return sum.isNull() ? 0 : numeric::toDouble(sum);
}

}  // namespace stores
