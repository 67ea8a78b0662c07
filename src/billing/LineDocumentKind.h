#pragma once

#include <QString>
#include <QVector>

// What tells the line-document screens apart (the simple bill, the bill with
// details, the item receipt, the expenditure voucher): their tables, captions,
// boxes, statements and what their operations do to the stock.
// LineDocumentScreen does the rest.
namespace billing {

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

// What Add Item does to the stock batch of the new line.
enum class StockOnAdd {
    None,
    Sell,     // the batch is lowered by the quantity; it may go below zero
    Receive,  // the batch is raised by the quantity, and created by its first receipt
};

// The texts of the screen: the bill screen's unless a kind says otherwise.
struct DocumentCaptions {
    QString window = QStringLiteral("Bill");
    QString number = QStringLiteral("Bill No :");
    QString party = QStringLiteral("Cutomer No :");
    QString item = QStringLiteral("Item :");
    QString itemTip = QStringLiteral("Select Item Name");
    QString quantity = QStringLiteral("Quantity :");
    QString amount = QStringLiteral("Amount per unit :");
    QString discount = QStringLiteral("Discount % :");
    QString code = QStringLiteral("Item Code :");
    QString codeTip;
    QString batch = QStringLiteral("Batch No :");
    QString batchTip;
    QString addItem = QStringLiteral("Add Item");
    QString deleteSerial = QStringLiteral("Delete Serial");
    QString deleteDocument = QStringLiteral("Delete Bill");
    QString newDocument = QStringLiteral("New Bill / Refresh");
    QString newDocumentTip = QStringLiteral("Click Prior to make New Bill");
    QString print = QStringLiteral("Print Bill");
};

// The item names of the item master (FillTypesofCHARGESAll).
inline const QString ItemNamesFromCharges =
    QStringLiteral("Select distinct(TYPEOFCHARGES) AS Item from charges ORDER BY TYPEOFCHARGES ASC");

struct LineDocumentKind {
    QString name;  // the screen's objectName, as the catalog knows it
    DocumentCaptions captions;
    QString lineTable;     // asigncharges, ItemIn
    int lineColumns = 17;  // the values of a line (ExpenditureTable has 16)
    QString partyTable;    // Customer, Supplier
    QString documentName;  // "bill", "receipt": how messages name a document

    // The statement that fills cmbitem with the item names to choose from.
    QString itemListQuery;
    // The statement that fills CmbCode when the screen opens; none leaves it empty.
    QString codeListQuery;

    // Which boxes show: item code and batch (the batch as a list or a box),
    // the unit amount.
    bool showsCodeAndBatch = false;
    bool batchIsList = false;
    bool showsAmount = false;
    // The item code picks the item and its batch: the code's row stands above
    // the item name's, so that Tab leads from the code to the quantity.
    bool codePicksItem = false;

    // Add Item: an empty item code becomes the item name and an empty batch "-".
    bool codeDefaultsToItem = false;
    StockOnAdd stockOnAdd = StockOnAdd::None;

    // The grid: its statement up to the document number (" order by Serial asc"
    // follows), and its column widths in twips.
    QString gridQuery;
    QVector<int> gridWidths;
    // The grid lists every document (gridQuery is then the whole statement)
    // instead of one document's lines.
    bool gridListsDocuments = false;
    // Loading a document reads its lines with this statement, up to the number.
    QString loadQuery;

    // Delete Serial asks this (%1 the serial, %2 the number as the box shows it).
    QString deleteSerialQuestion;
    // The whole document's delete asks this; a question naming the number
    // (%1) is asked only when the box holds a number.
    QString deleteDocumentQuestion;
    StockMove serialDelete = StockMove::None;
    StockMove documentDelete = StockMove::None;

    // Opening fills the party list lowest first (FillMemberNum) before Fill.
    bool fillsPartyAscendingFirst = false;
    // The grid keeps the newest document's lines that FillBillN loaded: on
    // opening, and after New / Refresh.
    bool openingKeepsNewestLines = false;
    bool newDocumentKeepsNewestLines = false;
};

}  // namespace billing
