#pragma once

#include "core/DocumentLine.h"
#include "core/Failure.h"
#include "core/DocumentNumbers.h"
#include "core/DocumentValues.h"
#include "stores/Order.h"
#include "stores/Store.h"

#include <QVector>
#include <optional>

// The line documents (bills, goods receipts, expenditure vouchers) with
// their lines, their parties and the stock their lines move: every
// statement the line-document screens and their prints send.
class RecordSet;

namespace stores {

// Rows as a grid shows them, each value as its text.
using ShownRows = QVector<QStringList>;

// A change refused because the document or line is no longer the one the
// screen shows: another till changed it since.
class ChangedSinceShown : public Failure {
public:
    using Failure::Failure;
};

enum class Document {
    Bill,          // asigncharges, for a customer; a line sells from its stock batch
    GoodsReceipt,  // ItemIn, from a supplier; a line creates or raises its batch
    Voucher,       // ExpenditureTable, one line each, paid to expenditure personnel
};

// What a delete does to the stock batch of each line it removes.
enum class StockMove {
    None,   // the stock is left alone
    Raise,  // the line's quantity goes back onto its batch
    Lower,  // the line's quantity comes off its batch
    // Raise for a line that names its batch (an item code or a batch number,
    // as the bill screen with details writes); a line without either is left
    // alone.
    RaiseNamedBatch,
};

// How a line takes its document number.
enum class NumberUse {
    // The first line of a new document: stored under its number only while
    // no line has that number; else under the next free number.
    Claims,
    // Another line of the document of its number: under its serial, or the
    // document's next free serial.
    Joins,
    // The first line again of a document whose lines were all deleted on the
    // screen: under its number while no line has it, else (another screen's
    // new document took it meanwhile) under the next free number.
    Retakes,
};

// The item names a screen offers.
enum class ItemNames {
    InStock,             // the items of the stock batches
    OfItemMaster,        // the item master (Charges)
    OfExpenditureHeads,  // the expenditure heads
};

// A party record: name, address and phone.
struct Party {
    QVariant name;
    QVariant address;
    QString phone;
};

// A stored document as its screen loads it: the rounded-once total of its
// lines and the party of its first line (none when it has no lines).
struct LoadedDocument {
    double grandTotal = 0;
    std::optional<Party> party;
};

// The item name and batch of the first stock row of an item code.
struct StockBatch {
    QString item;
    QString batch;
};

class LineDocumentStore : public Store {
public:
    // On a connection of the store's own, or on the one given.
    explicit LineDocumentStore(Document document);
    LineDocumentStore(Document document, Connection& connection);

    Document document() const { return m_document; }
    // How messages name a document: "bill", "receipt", "voucher".
    QString documentName() const;
    // "Bill numbers are used up: ...", and how the shop numbers from 1 again
    // (the command that closes the year).
    QString usedUpMessage() const;
    // The same advice under the warning that few numbers are left after
    // next; empty while enough are left.
    QString runningOutMessage(const numbering::NextNumber& next) const;

    // --- Numbers (throw when the maximum cannot be read)
    numbering::NextNumber nextNumber() const;
    numbering::NextNumber nextSerial(qint16 number) const;

    // --- Lists, as the screens' lists show them
    QStringList documentNumbers() const;  // newest first
    QStringList partyNumbers(Order order) const;
    QStringList itemNames(ItemNames names) const;
    QStringList itemCodes() const;  // of the stock batches
    QStringList batchesOfCode(const QString& itemCode) const;

    // --- One record. Each throws when there is none.
    Party party(qint16 partyNumber) const;
    // The party of the lowest number whose phone contains the text, read
    // over a connection of its own; none when no phone does.
    std::optional<Party> partyByPhone(const QString& phone) const;
    StockBatch firstBatchOfCode(const QString& itemCode) const;
    // The unit price of an item: the MRP of its first stock row (the lowest
    // stock number), or the amount of the stock row a sale of the code, item
    // and batch changes.
    // Throws Failure when there is none.
    double priceByMrp(const QString& item) const;
    double priceOfBatch(const QString& itemCode, const QString& item, const QString& batch) const;

    // --- Documents
    // A document's line totals added, then rounded once.
    double grandTotal(qint16 number) const;
    LoadedDocument load(qint16 number) const;
    // The date of a document's first line; invalid when it has none.
    QDate documentDate(qint16 number) const;
    // The server's number of the transaction the connection is in
    // (PostgreSQL); none on a SQLite file, whose commit is never in doubt.
    std::optional<qint64> serverTransaction() const;
    // What became of the server's transaction, asked when the answer to its
    // commit was lost: unknown when the server no longer knows it (one
    // restored from a dump, or the transaction too old). Throws Failure
    // while the server is still finishing it, or cannot be asked.
    enum class Outcome { Committed, Aborted, Unknown };
    Outcome outcome(qint64 transaction) const;
    // The first day of the last year that began after the day with a close
    // (billdb close-year): the date of its opening receipt; invalid when no
    // year closed after the day.
    QDate newYearsFirstDayAfter(const QDate& day) const;
    // A voucher with every value it was stored with.
    DocumentLine voucher(qint16 number) const;
    // The rows of the screen's grid, read over a connection of their own:
    // the document's lines in serial order; every voucher, newest first.
    PagedRows gridRows(qint16 number) const;

    // --- Printing: the receipt of a bill or a goods receipt, its grand
    // total (with the lines' unit amounts it is read with), the voucher
    // register and its total.
    ReceiptValues receipt(qint16 number) const;
    ReceiptTotal printedTotal(qint16 number) const;
    QVector<PrintedRow> voucherRegister() const;
    double sumOfAmounts() const;  // 0 when there is no voucher

    // --- Changes, each in the transaction open on the connection
    // (LineStorage.cpp). Several tills may store at once: no two share a
    // document, a stock row or a serial, and none is lost (data/NumberClaim.h).
    //
    // Stores the line with what Add Item does to the stock. Returns the line
    // as stored: a claimed number, or a serial, may have moved on.
    // A line that joins a document, given the document's lines as the grid
    // showed them, is stored only while those lines are still its first:
    // lines other tills added since may follow them, but a document another
    // till deleted and made again under the number (or the close of a year
    // numbered afresh) is not joined. Throws Failure then, storing nothing.
    DocumentLine storeLine(DocumentLine line, NumberUse use,
                           const std::optional<ShownRows>& shownLines = std::nullopt) const;
    // A line, or every line of a document, removed with the stock move of
    // each line. removeLine says whether the document has lines left. Given
    // the line as the grid showed it, only while the serial still holds that
    // line: another till may have deleted it since, and a new line may have
    // taken its serial. Throws Failure then, removing nothing.
    bool removeLine(qint16 number, qint16 serial, StockMove move,
                    const std::optional<QStringList>& shownLine = std::nullopt) const;
    // Given the lines as the screen's grid showed them (a voucher's row),
    // only while the document still holds those lines: another till may have
    // deleted the document and stored another under its number since.
    // Throws Failure then, removing nothing.
    void removeDocument(qint16 number, StockMove move, const std::optional<ShownRows>& shownLines = std::nullopt) const;

private:
    // The opening receipt of a year's close: its lines mark the close.
    enum class CloseMarkDelete { Whole, LastLine };
    bool marksAClose(const RecordSet& line) const;
    bool holdsACloseMark(qint16 number) const;
    void moveCloseMark(qint16 number, const RecordSet& deleted) const;
    static QString closeMarkStays(qint16 number, const QDate& newYear, CloseMarkDelete what);
    // The lines of a bill or a receipt as its grid shows them, or the one
    // line under a serial; a voucher's row.
    QString gridStatement(qint16 number, std::optional<qint16> serial = std::nullopt) const;
    ShownRows shownRows(const QString& statement) const;
    NumberList documentNumberList() const;
    QString lineTable() const;
    QString partyTable() const;
    numbering::NextNumber afterMaximum(const QString& statement) const;
    void moveStock(StockMove move, qint16 quantity, const QString& itemCode, const QString& item,
                   const QString& batch) const;
    void receiveIntoStock(const DocumentLine& line) const;
    void keepFirstReceiptValues(const QString& itemCode, const QString& item, const QString& batch,
                                const QStringList& deletedLines) const;

    Document m_document;
};

}  // namespace stores
