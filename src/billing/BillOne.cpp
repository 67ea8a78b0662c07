#include "billing/BillOne.h"

#include "data/SqlText.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/Messages.h"
#include "kit/NumericText.h"
#include "kit/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

BillOne::BillOne(QWidget* parent) : BillScreen(QStringLiteral("BillOne"), QStringLiteral("Bill"), parent)
{
    txtBatch = new QLineEdit(codeFrame());
    txtBatch->setObjectName(QStringLiteral("txtBatch"));
    lists::limitLength(txtBatch);
    twips::place(txtBatch, 4140, 120, 2040, 315);
    // Items are chosen by name here: no code, no batch.
    codeFrame()->hide();

    openScreen();
}

void BillOne::fillItemList()
{
    FillItemNameFromStock(cmbitem);
}

QString BillOne::unitPriceQuery() const
{
    return QStringLiteral("Select MRP from Stock WHERE Item = ") + sql::text(m_item);
}

QString BillOne::itemCodeText() const
{
    return CmbCode->currentText();
}

QString BillOne::batchText() const
{
    return txtBatch->text();
}

void BillOne::deleteSerial()
{
    if (!numeric::isNumeric(cmbbillnumber->currentText()))
        return;
    qint16 billNumber = NoBill;
    const bool deleted = stopAtFirstError([&] {
        billNumber = boxBillNumber();
        // The serial is read off the grid: it must be a line of the bill in the box.
        if (gridBill() != billNumber)
            throw Failure(QStringLiteral("The grid does not show bill %1.").arg(billNumber));
        const qint16 serial = numeric::toInt16(grid::currentText(DGG, 0));
        connectx();
        giveBackAndDelete(billNumber, serial);
    });
    if (!deleted)
        return;

    lblGrandTotal->clear();
    m_grandTotal = 0;
    SkipFailing skip;
    skip([&] { m_grandTotal = FindGrandTotal(billNumber); });
    lblGrandTotal->setText(numeric::numberText(m_grandTotal) + QStringLiteral(".00"));
    skip([&] { RefreshBillGrid(billNumber); });
}

void BillOne::deleteBill()
{
    if (!Messages::instance().ask(QStringLiteral("Confirm Delete Bill ?"), QStringLiteral("Delete")))
        return;
    stopAtFirstError([&] {
        if (!numeric::isNumeric(cmbbillnumber->currentText()))
            return;
        const qint16 billNumber = boxBillNumber();
        connectx();
        m_rs.open(QStringLiteral("Delete * from asigncharges where BillNumber = ") + sql::number(billNumber),
                  m_connection);
        FillBillN(cmbbillnumber);
        unbindGrid();
        SetBillGridColumns();
        Messages::instance().inform(QStringLiteral("Data Deleted"), QStringLiteral("Deleted"));
    });
}
