#include "expenditure/Expenditure.h"

#include "billing/LineStore.h"
#include "core/Dates.h"
#include "core/NumericText.h"
#include "data/SqlText.h"
#include "expenditure/ExpenditureRegister.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/GridSelection.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace {

billing::LineDocumentKind voucher()
{
    billing::LineDocumentKind kind;
    kind.name = QStringLiteral("Expenditure");
    billing::DocumentCaptions& captions = kind.captions;
    captions.window = QStringLiteral("Expenditure");
    captions.number = QStringLiteral("Expenditure No :");
    captions.party = QStringLiteral("No :");
    captions.item = QStringLiteral("Head :");
    captions.quantity = QStringLiteral("Amount :");
    captions.discount = QStringLiteral("Discount :");
    captions.addItem = QStringLiteral("Add");
    captions.deleteDocument = QStringLiteral("Delete");
    captions.print = QStringLiteral("Print");

    kind.lineTable = QStringLiteral("ExpenditureTable");
    kind.lineColumns = 16;  // the line layout without MRP
    kind.partyTable = QStringLiteral("ExpenditurePerson");
    kind.documentName = QStringLiteral("voucher");
    kind.itemListQuery =
        QStringLiteral("Select distinct(TYPEOFCHARGES) AS Item From ExpenditureHead ORDER BY TYPEOFCHARGES ASC");

    kind.gridListsDocuments = true;
    kind.gridQuery = QStringLiteral(
        "Select  BillNumber as No,Date_ , Item as Head,  Amount ,CustomerPhone as Phone ,CustomerName as "
        "Name_,CustomerAddress as Address from ExpenditureTable order by BillNumber desc");
    kind.gridWidths = {700, 1000, 5000};
    kind.loadQuery = QStringLiteral("Select * from ExpenditureTable where BillNumber = ");
    kind.deleteDocumentQuestion = QStringLiteral("Confirm Delete ?");
    return kind;
}

}  // namespace

Expenditure::Expenditure(QWidget* parent) : LineDocumentScreen(voucher(), parent)
{
    // A voucher carries no tax or discount: the boxes show the 0 it stores.
    for (QLineEdit* unused : {txttax, txtDiscount}) {
        unused->setText(QStringLiteral("0"));
        unused->setEnabled(false);
    }
    connect(DGG, &QTableView::clicked, this, [this] { pickGridRow(); });

    openScreen();
    // The newest voucher is recalled last, so that it is what the screen shows.
    FillBillN(cmbbillnumber);
    FindGrandTotal();
}

// The voucher's amount is typed into the Amount box.
double Expenditure::unitPrice()
{
    return numeric::toDouble(txtquantity->text());
}

void Expenditure::addItem()
{
    txttax->setText(QStringLiteral("0"));
    txtDiscount->setText(QStringLiteral("0"));
    stopAtFirstError([&] {
        connectx();
        if (cmbitem->currentText().isEmpty() || !numeric::isNumeric(txtquantity->text()))
            return;
        readEntry();
        m_line.serial = 0;
        m_line.quantity = 0;
        m_line.amount = unitPrice();
        m_line.itemCode = QStringLiteral("-");
        m_line.batch = QStringLiteral("-");

        // The voucher takes the next free number: the one read now, or the
        // next one when another till stores a voucher under it first.
        m_nextNumber = readNextNumber();
        if (m_nextNumber.state == Numbering::UsedUp) {
            numbering::tellUsedUp(kind().documentName);
            return;
        }
        if (m_nextNumber.state != Numbering::Free)
            return;
        m_line.number = m_nextNumber.number;
        change::together(m_connection,
                         [&] { m_line = billing::storeLine(kind(), m_line, billing::NumberUse::Claims, m_connection); });
        m_connection.close();

        FillGrid(NoDocument);
        FillBillN(cmbbillnumber);  // the new voucher is recalled into the boxes
        FindGrandTotal();
    });
}

void Expenditure::pickDocumentNumber()
{
    lblGrandTotal->clear();
    m_grandTotal = 0;
    if (!numeric::isNumeric(cmbbillnumber->currentText()))
        return;

    stopAtFirstError([&] {
        const qint16 number = boxDocumentNumber();
        connectx();
        m_rs.open(kind().loadQuery + sql::number(number), m_connection);
        // Everything is read before a box changes: a voucher that cannot be
        // read leaves the boxes as they were.
        const QString head = m_rs.field(QStringLiteral("Item")).toString();
        const QString amount = numeric::numberText(numeric::toDouble(m_rs.field(QStringLiteral("Amount"))));
        const QString name = m_rs.field(QStringLiteral("CustomerName")).toString();
        const QString address = m_rs.field(QStringLiteral("CustomerAddress")).toString();
        const QString phone = m_rs.field(QStringLiteral("CustomerPhone")).toString();
        const QString remark = m_rs.field(QStringLiteral("Remark")).toString();
        const QDate date = dates::fromStored(m_rs.field(QStringLiteral("Date_")));

        cmbitem->setEditText(head);
        txtquantity->setText(amount);
        txtname->setText(name);
        txtaddress->setText(address);
        txtphone->setText(phone);
        txtRemark->setText(remark);
        if (date.isValid())
            DTP->setDate(date);
        // The grid's current row is the voucher shown, the one Delete Serial would delete.
        grid::selectRowWhere(DGG, 0, QString::number(number));
        FindGrandTotal();
    });
}

// Every voucher is one line: Delete Serial deletes the voucher of the grid's
// current row, asking as Delete does.
void Expenditure::deleteSerial()
{
    const QString number = grid::currentText(DGG, 0);
    if (number.isEmpty())
        return;
    cmbbillnumber->setEditText(number);
    deleteDocument();
}

// Nothing is said: the grid and the total show the voucher gone.
void Expenditure::showAfterDocumentDelete()
{
    FillBillN(cmbbillnumber);
    FindGrandTotal();
    FillGrid(NoDocument);
}

void Expenditure::printDocument()
{
    expenditure::PrintRegister(cmbbillnumber->currentText(), m_connection);
}

// The sum of no vouchers is 0, so the total of an emptied table does not keep
// showing the vouchers just deleted.
void Expenditure::FindGrandTotal()
{
    stopAtFirstError([&] {
        connectx();
        m_grandTotal = expenditure::sumOfAmounts(m_rs, m_connection);
        lblGrandTotal->setText(numeric::numberText(m_grandTotal));
    });
}

void Expenditure::pickGridRow()
{
    const QString number = grid::currentText(DGG, 0);
    if (!number.isEmpty())
        cmbbillnumber->setEditText(number);
}
