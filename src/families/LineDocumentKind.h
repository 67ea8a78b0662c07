#pragma once

#include "stores/LineDocumentStore.h"

#include <QString>
#include <QVector>

// What tells the line-document screens apart (the simple bill, the bill with
// details, the item receipt, the expenditure voucher): their documents,
// captions, boxes, lists and what their deletes do to the stock.
// LineDocumentScreen does the rest.
namespace families {

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

struct LineDocumentKind {
    QString name;  // the screen's objectName, as the catalog knows it
    DocumentCaptions captions;
    stores::Document document = stores::Document::Bill;

    // The item names cmbitem offers.
    stores::ItemNames itemNames = stores::ItemNames::OfItemMaster;
    // CmbCode offers the item codes of the stock when the screen opens;
    // otherwise it stays empty.
    bool listsItemCodes = false;

    // Which boxes show: item code and batch (the batch as a list or a box),
    // the unit amount.
    bool showsCodeAndBatch = false;
    bool batchIsList = false;
    bool showsAmount = false;
    // The item code picks the item and its batch: the code's row stands above
    // the item name's, and Tab leads from the code to the quantity.
    bool codePicksItem = false;

    // Add Item: an empty item code becomes the item name and an empty batch "-".
    bool codeDefaultsToItem = false;

    // The grid's column widths in twips.
    QVector<int> gridWidths;
    // The grid lists every document instead of one document's lines.
    bool gridListsDocuments = false;

    // Delete Serial asks this (%1 the serial, %2 the number as the box shows it).
    QString deleteSerialQuestion;
    // The whole document's delete asks this; a question naming the number
    // (%1) is asked only when the box holds a number.
    QString deleteDocumentQuestion;
    stores::StockMove serialDelete = stores::StockMove::None;
    stores::StockMove documentDelete = stores::StockMove::None;

    // Opening fills the party list lowest first (FillMemberNum) before Fill.
    bool fillsPartyAscendingFirst = false;
    // The grid keeps the newest document's lines that FillBillN loaded: on
    // opening, and after New / Refresh.
    bool openingKeepsNewestLines = false;
    bool newDocumentKeepsNewestLines = false;
};

}  // namespace families
