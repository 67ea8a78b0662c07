#include "expenditure/Expenditure.h"

#include "core/NumericText.h"
#include "data/DbError.h"
#include "expenditure/ExpenditureRegister.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/DocumentDate.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/GridSelection.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace {

families::LineDocumentKind voucher()
{
    families::LineDocumentKind kind;
    kind.name = QStringLiteral("Expenditure");
    families::DocumentCaptions& captions = kind.captions;
    captions.window = QStringLiteral("Expenditure");
    captions.number = QStringLiteral("Expenditure No :");
    captions.party = QStringLiteral("No :");
    captions.item = QStringLiteral("Head :");
    captions.quantity = QStringLiteral("Amount :");
    captions.discount = QStringLiteral("Discount :");
    captions.addItem = QStringLiteral("Add");
    captions.deleteDocument = QStringLiteral("Delete");
    captions.print = QStringLiteral("Print");

    kind.document = stores::Document::Voucher;
    kind.itemNames = stores::ItemNames::OfExpenditureHeads;
    kind.gridListsDocuments = true;
    kind.gridWidths = {700, 1000, 5000};
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
    documentDate().dateToday();
    FindGrandTotal();
}

// New recalls the newest voucher; the next voucher is dated today, not by
// whichever voucher happens to be newest.
void Expenditure::newDocument()
{
    LineDocumentScreen::newDocument();
    documentDate().dateToday();
}

// The voucher's amount is typed into the Amount box.
double Expenditure::unitPrice()
{
    return numeric::toAmount(txtquantity->text());
}

void Expenditure::addItem()
{
    txttax->setText(QStringLiteral("0"));
    txtDiscount->setText(QStringLiteral("0"));
    stopAtFirstError([&] {
        connectx();
        if (!lineMaybeStoredIsNotStored())
            return;
        if (cmbitem->currentText().isEmpty() || !numeric::isNumeric(txtquantity->text()))
            return;
        documentDate().keepDatingToday();  // each voucher is a new one, dated the day it is added
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
            tellUsedUp();
            return;
        }
        if (m_nextNumber.state != Numbering::Free)
            return;
        m_line.number = m_nextNumber.number;
        storeStartingLine([&] {
            try {
                change::together(m_store.connection(), [&] {
                    m_line = m_store.storeLine(m_line, stores::NumberUse::Claims);
                    noteStartingTransaction();
                });
            } catch (const CommitOutcomeUnknown&) {
                showVouchersAsStored();  // with the voucher, when the server took it
                throw;
            }
        });
        m_store.close();
        showVouchersAsStored();
    });
}

void Expenditure::showFoundDocument(qint16 number)
{
    showVouchersAsStored();
    cmbbillnumber->setEditText(QString::number(number));
    pickDocumentNumber();
}

// A voucher deleted elsewhere cannot be recalled (the boxes would keep it,
// beside a blank total): the vouchers are shown as stored, and the one in
// the box recalled while it is still among them.
void Expenditure::showDocumentAsStored()
{
    const QString number = cmbbillnumber->currentText();
    showVouchersAsStored();
    if (cmbbillnumber->findText(number) >= 0) {
        cmbbillnumber->setEditText(number);
        pickDocumentNumber();
    }
}

// The newest voucher is recalled into the boxes.
void Expenditure::showVouchersAsStored()
{
    SkipFailing skip;
    skip([&] { FillGrid(NoDocument); });
    skip([&] { FillBillN(cmbbillnumber); });
    skip([&] { FindGrandTotal(); });
}

// A voucher the operator recalls lends its date (shown by pickDocumentNumber)
// to the next Add, and to the ones after.
void Expenditure::showRecalledDocumentsDate()
{
    documentDate().keepTheDateShown();
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
        // Everything is read before a box changes: a voucher that cannot be
        // read leaves the boxes as they were.
        const DocumentLine voucher = m_store.voucher(number);
        controls::showWhole(cmbitem, voucher.item);
        txtquantity->setText(numeric::numberText(voucher.amount));
        controls::showWhole(txtname, voucher.partyName);
        controls::showWhole(txtaddress, voucher.partyAddress);
        controls::showWhole(txtphone, voucher.partyPhone);
        controls::showWhole(txtRemark, voucher.remark);
        if (voucher.date.isValid())
            DTP->setDate(voucher.date);
        // The grid's current row is the voucher shown, the one Delete Serial would delete.
        grid::selectRowWhere(DGG, 0, QString::number(number));
        noteRecalledDocument(number);
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
    documentDate().dateToday();
    FindGrandTotal();
    FillGrid(NoDocument);
}

void Expenditure::printDocument()
{
    expenditure::PrintRegister(cmbbillnumber->currentText(), m_store);
}

// The sum of no vouchers is 0, so the total of an emptied table does not keep
// showing the vouchers just deleted.
void Expenditure::FindGrandTotal()
{
    stopAtFirstError([&] {
        connectx();
        m_grandTotal = m_store.sumOfAmounts();
        lblGrandTotal->setText(numeric::numberText(m_grandTotal));
    });
}

void Expenditure::pickGridRow()
{
    const QString number = grid::currentText(DGG, 0);
    if (!number.isEmpty())
        cmbbillnumber->setEditText(number);
}
