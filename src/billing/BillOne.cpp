#include "billing/BillOne.h"

#include "billing/BillKinds.h"
#include "core/NumericText.h"
#include "kit/FailureStyles.h"

#include <QComboBox>
#include <QLabel>

namespace {

families::LineDocumentKind simpleBill()
{
    families::LineDocumentKind kind = billing::salesBillKind();
    kind.name = QStringLiteral("BillOne");
    kind.itemNames = stores::ItemNames::InStock;
    kind.deleteDocumentQuestion = QStringLiteral("Confirm Delete Bill ?");
    // Deleting a whole bill on this screen leaves the stock of its own lines
    // as it is; a line sold from a batch on the bill screen with details
    // (the same bills) gives its quantity back, or the batch would stay low.
    kind.documentDelete = stores::StockMove::RaiseNamedBatch;
    return kind;
}

}  // namespace

BillOne::BillOne(QWidget* parent) : LineDocumentScreen(simpleBill(), parent)
{
    openScreen();
}

double BillOne::unitPrice()
{
    return m_store.priceByMrp(m_line.item);
}

// No question, and the bill stays shown with its new total.
void BillOne::deleteSerial()
{
    const OperationScope operation;  // a refusal is told over the bill as stored now
    if (!numeric::isNumeric(cmbbillnumber->currentText()))
        return;
    qint16 billNumber = NoDocument;
    const bool deleted = stopAtFirstError([&] {
        qint16 serial = 0;
        readGridLine(billNumber, serial);
        connectx();
        removeLine(billNumber, serial, kind().serialDelete);
    });
    if (!deleted)
        return;

    lblGrandTotal->clear();
    m_grandTotal = 0;
    SkipFailing skip;
    skip([&] { m_grandTotal = FindGrandTotal(billNumber); });
    lblGrandTotal->setText(numeric::numberText(m_grandTotal) + QStringLiteral(".00"));
    skip([&] { FillGrid(billNumber); });
}
