#include "stock/ItemInFrm.h"

#include "core/NumericText.h"
#include "families/LineDocumentKind.h"

#include <QLineEdit>

namespace {

families::LineDocumentKind itemReceipt()
{
    families::LineDocumentKind kind;
    kind.name = QStringLiteral("ItemInFrm");
    families::DocumentCaptions& captions = kind.captions;
    captions.window = QStringLiteral("Item Receive");
    captions.number = QStringLiteral("Receipt No :");
    captions.party = QStringLiteral("Supplier No :");
    captions.item = QStringLiteral("Item Name:");
    captions.codeTip = QStringLiteral("Select Item Name");
    captions.batchTip = QStringLiteral("Write Quantity");
    captions.deleteDocument = QStringLiteral("Delete Receipt No");
    captions.newDocument = QStringLiteral("Refresh");
    captions.newDocumentTip = QStringLiteral("Click Prior to make New Receipt Entry");
    captions.print = QStringLiteral("Print Receipt");

    kind.document = stores::Document::GoodsReceipt;
    kind.itemNames = stores::ItemNames::OfItemMaster;
    kind.showsCodeAndBatch = true;
    kind.showsAmount = true;
    kind.codeDefaultsToItem = true;

    kind.gridWidths = {700, 1000, 1000, 4000, 1000, 1000};

    // A received line's quantity comes off its batch again when the line goes.
    kind.deleteSerialQuestion = QStringLiteral("Confirm Delete Serial No : %1 of Receipt No :%2");
    kind.deleteDocumentQuestion = QStringLiteral("Confirm Delete Receipt ?");
    kind.serialDelete = stores::StockMove::Lower;
    kind.documentDelete = stores::StockMove::Lower;

    kind.fillsPartyAscendingFirst = true;
    kind.newDocumentKeepsNewestLines = true;
    return kind;
}

}  // namespace

ItemInFrm::ItemInFrm(QWidget* parent) : LineDocumentScreen(itemReceipt(), parent)
{
    openScreen();
}

double ItemInFrm::unitPrice()
{
    return numeric::toAmount(txtAmount->text());
}
