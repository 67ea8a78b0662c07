#include "billing/BillTwo.h"

#include "billing/BillKinds.h"
#include "core/NumericText.h"
#include "data/SqlText.h"
#include "kit/FailureStyles.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

billing::LineDocumentKind billWithDetails()
{
    billing::LineDocumentKind kind = billing::salesBillKind();
    kind.name = QStringLiteral("BillTwo");
    kind.captions.window = QStringLiteral("Bill Two");
    kind.captions.item = QStringLiteral("Item Name :");
    kind.captions.codeTip = QStringLiteral("Select Item Name");
    kind.captions.batchTip = QStringLiteral("Select Item Name");
    kind.itemListQuery = billing::ItemNamesFromCharges;
    kind.codeListQuery = QStringLiteral("Select distinct(ItemCode) from Stock ORDER BY ItemCode ASC");
    kind.showsCodeAndBatch = true;
    kind.batchIsList = true;
    kind.codePicksItem = true;
    kind.deleteSerialQuestion = QStringLiteral("Confirm Delete Serial No : %1 of Bill No :%2");
    kind.deleteDocumentQuestion = QStringLiteral("Confirm Delete Bill No : %1 ?");
    kind.documentDelete = billing::StockMove::Raise;
    kind.openingKeepsNewestLines = true;
    return kind;
}

}  // namespace

BillTwo::BillTwo(QWidget* parent) : LineDocumentScreen(billWithDetails(), parent)
{
    connect(CmbCode, &QComboBox::editTextChanged, this, [this](const QString& code) { FindItemDetailsAsPerCode(code); });
    connect(CmbCode, &QComboBox::activated, this, [this] { FindItemDetailsAsPerCode(CmbCode->currentText()); });
    openScreen();
}

// The first stock row of the code gives the item name and the batch; the
// batch list offers every batch of the code. A code with no stock row leaves
// the boxes as they were.
void BillTwo::FindItemDetailsAsPerCode(const QString& itemCode)
{
    SkipFailing skip;
    QString item;
    QString batch;
    connectx();
    const bool found = skip([&] {
        m_rs.open(QStringLiteral("Select  ITEM, Batch_Number from Stock where ItemCode = ") + sql::text(itemCode),
                  m_connection);
        item = m_rs.field(QStringLiteral("ITEM")).toString();
        batch = m_rs.field(QStringLiteral("Batch_Number")).toString();
    });
    if (found) {
        fillList(batchList(),
                 QStringLiteral("Select distinct(Batch_Number) from Stock where ItemCode = ") + sql::text(itemCode)
                     + QStringLiteral(" ORDER BY Batch_Number ASC"),
                 AfterFill::Empty);
        cmbitem->setEditText(item);
        setBatchText(batch);
    }
    m_connection.close();
}

// The price of the batch the operator chose.
double BillTwo::unitPrice()
{
    m_rs.open(QStringLiteral("Select Amount from Stock WHERE ItemCode = ") + sql::text(m_line.itemCode)
                  + QStringLiteral(" and Batch_Number = ") + sql::text(m_line.batch),
              m_connection);
    return numeric::toDouble(m_rs.field(0));
}

void BillTwo::newDocument()
{
    CmbCode->setEditText(QString());  // runs the item-code lookup with an empty code
    batchList()->clear();
    setBatchText(QString());
    txtquantity->setText(QStringLiteral("1"));
    LineDocumentScreen::newDocument();
}
