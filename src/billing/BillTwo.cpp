#include "billing/BillTwo.h"

#include "billing/BillKinds.h"
#include "core/NumericText.h"
#include "kit/Controls.h"
#include "kit/FailureStyles.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

families::LineDocumentKind billWithDetails()
{
    families::LineDocumentKind kind = billing::salesBillKind();
    kind.name = QStringLiteral("BillTwo");
    kind.captions.window = QStringLiteral("Bill Two");
    kind.captions.item = QStringLiteral("Item Name :");
    kind.captions.codeTip = QStringLiteral("Select Item Name");
    kind.captions.batchTip = QStringLiteral("Select Item Name");
    kind.itemNames = stores::ItemNames::OfItemMaster;
    kind.listsItemCodes = true;
    kind.showsCodeAndBatch = true;
    kind.batchIsList = true;
    kind.codePicksItem = true;
    kind.deleteSerialQuestion = QStringLiteral("Confirm Delete Serial No : %1 of Bill No :%2");
    kind.deleteDocumentQuestion = QStringLiteral("Confirm Delete Bill No : %1 ?");
    kind.documentDelete = stores::StockMove::Raise;
    kind.openingKeepsNewestLines = true;
    return kind;
}

}  // namespace

BillTwo::BillTwo(QWidget* parent) : LineDocumentScreen(billWithDetails(), parent)
{
    connect(CmbCode, &QComboBox::editTextChanged, this, [this](const QString& code) {
        const TypingScope typing;
        FindItemDetailsAsPerCode(code);
    });
    connect(CmbCode, &QComboBox::activated, this, [this] { FindItemDetailsAsPerCode(CmbCode->currentText()); });
    openScreen();
}

// The first stock row of the code gives the item name and the batch; the
// batch list offers every batch of the code. A code with no stock row leaves
// the boxes as they were.
void BillTwo::FindItemDetailsAsPerCode(const QString& itemCode)
{
    SkipFailing skip;
    stores::StockBatch first;
    connectx();
    const bool found = skip([&] { first = m_store.firstBatchOfCode(itemCode); });
    if (found) {
        fillList(batchList(), [&] { return m_store.batchesOfCode(itemCode); }, AfterFill::Empty);
        controls::showWhole(cmbitem, first.item);
        setBatchText(first.batch);
    }
    m_store.close();
}

// The price of the batch the operator chose, of the item chosen: a batch
// the item does not have adds no line.
double BillTwo::unitPrice()
{
    return m_store.priceOfBatch(m_line.itemCode, m_line.item, m_line.batch);
}

void BillTwo::newDocument()
{
    const OperationScope operation;  // told once, with the look-up of the emptied code
    CmbCode->setEditText(QString());  // runs the item-code lookup with an empty code
    batchList()->clear();
    setBatchText(QString());
    txtquantity->setText(QStringLiteral("1"));
    LineDocumentScreen::newDocument();
}
