// Where the controls of a line-document screen stand, and their captions.

#include "families/LineDocumentScreen.h"
#include "kit/DatePicker.h"

#include "core/Dates.h"
#include "kit/Controls.h"
#include "kit/Grid.h"
#include "kit/ScreenGrid.h"
#include "kit/Lists.h"
#include "kit/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

namespace {

constexpr int Row = 315;  // the height of a box

QLineEdit* textBox(QWidget* parent, const QString& name)
{
    return controls::textBox(parent, name, lists::MaxTextLength);
}

QComboBox* comboBox(QWidget* parent, const QString& name, bool editable)
{
    QComboBox* list = nullptr;
    if (editable) {
        list = controls::editableList(parent, name, lists::MaxTextLength);
    } else {
        list = new QComboBox(parent);
        list->setObjectName(name);
    }
    list->setMaxVisibleItems(15);
    return list;
}

QGroupBox* frame(QWidget* parent, const QString& name)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

QLabel* LineDocumentScreen::addCaption(QWidget* parent, const char* name, const QString& text, int left,
                                       int top, int width)
{
    auto* caption = new QLabel(text, parent);
    twips::place(caption, name, left, top, width, Row);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

void LineDocumentScreen::buildControls()
{
    const families::DocumentCaptions& captions = m_kind.captions;

    // The party.
    QGroupBox* party = frame(this, QStringLiteral("FrameParty"));
    twips::place(party, 120, 60, 6600, 2580);
    addCaption(party, "Label6", captions.party, 120, 300, 1320);
    CMBMEMBERNUM = comboBox(party, QStringLiteral("CMBMEMBERNUM"), false);
    CMBMEMBERNUM->setToolTip(QStringLiteral("Select Customer No to get Name, Address and Phone Number"));
    twips::place(CMBMEMBERNUM, 1560, 300, 1800, Row);
    addCaption(party, "Label7", QStringLiteral("NAME :"), 120, 750, 1320);
    txtname = textBox(party, QStringLiteral("txtname"));
    twips::place(txtname, 1560, 750, 4800, Row);
    addCaption(party, "Label8", QStringLiteral("Address :"), 120, 1200, 1320);
    txtaddress = textBox(party, QStringLiteral("txtaddress"));
    twips::place(txtaddress, 1560, 1200, 4800, Row);
    addCaption(party, "Label2", QStringLiteral("Phone :"), 120, 1650, 1320);
    txtphone = textBox(party, QStringLiteral("txtphone"));
    twips::place(txtphone, 1560, 1650, 2700, Row);
    chkph = new QCheckBox(QStringLiteral("Ph"), party);
    chkph->setChecked(false);
    twips::place(chkph, "chkph", 4440, 1650, 900, Row);
    // A font taller than the row's (Noto Sans, on many desktops) would cut
    // the box's caption: it grows about the row's middle, into the gap
    // between the rows.
    if (const int taller = chkph->sizeHint().height() - chkph->height(); taller > 0)
        chkph->setGeometry(chkph->geometry().adjusted(0, -(taller + 1) / 2, 0, taller / 2));
    addCaption(party, "Label4", QStringLiteral("Remark :"), 120, 2100, 1320);
    txtRemark = textBox(party, QStringLiteral("txtRemark"));
    twips::place(txtRemark, 1560, 2100, 4800, Row);

    // The document number and date, in the coloured frame.
    QGroupBox* document = frame(this, QStringLiteral("FrameNumber"));
    twips::place(document, 6840, 60, 4935, 1260);
    document->setStyleSheet(QStringLiteral("QGroupBox#FrameNumber { background-color: #fff4c2; "
                                           "border: 1px solid #c9b458; border-radius: 3px; }"));
    // Wide enough for the longest caption, "Expenditure No :".
    addCaption(document, "Label1", captions.number, 120, 300, 1680);
    cmbbillnumber = comboBox(document, QStringLiteral("cmbbillnumber"), true);
    cmbbillnumber->setToolTip(QStringLiteral("Select Bill Number to Get Bill Details"));
    twips::place(cmbbillnumber, 1920, 300, 1800, Row);
    addCaption(document, "Label12", QStringLiteral("Date :"), 120, 750, 1680);
    DTP = new QDateEdit(document);
    dates::setUpPicker(DTP);
    twips::place(DTP, "DTP", 1920, 750, 1800, Row);
    controls::captionsOnLightGround(document);

    // The grand total.
    QGroupBox* total = frame(this, QStringLiteral("FrameGrandTotal"));
    twips::place(total, 6840, 1380, 4935, 1260);
    addCaption(total, "Label9", QStringLiteral("Grand Total :"), 120, 480, 1560);
    lblGrandTotal = new QLabel(total);
    QFont large = lblGrandTotal->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    lblGrandTotal->setFont(large);
    lblGrandTotal->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    twips::place(lblGrandTotal, "lblGrandTotal", 1800, 330, 3000, 600);

    // The line being added: item, quantity and percentages on one row, item
    // code, batch, unit amount and Add Item on the other; the item's row
    // first unless the code picks the item.
    const int itemTop = m_kind.codePicksItem ? 840 : 300;
    const int codeTop = m_kind.codePicksItem ? 300 : 840;
    QGroupBox* item = frame(this, QStringLiteral("FrameItem"));
    twips::place(item, 120, 2700, 11655, 1380);
    addCaption(item, "Label11", captions.item, 60, itemTop, 1140);
    cmbitem = comboBox(item, QStringLiteral("cmbitem"), true);
    cmbitem->setToolTip(captions.itemTip);
    twips::place(cmbitem, 1260, itemTop, 3900, Row);
    addCaption(item, "Label10", captions.quantity, 5220, itemTop, 1080);
    txtquantity = textBox(item, QStringLiteral("txtquantity"));
    txtquantity->setToolTip(QStringLiteral("Write Quantity"));
    twips::place(txtquantity, 6360, itemTop, 900, Row);
    addCaption(item, "Label3", QStringLiteral("Tax % :"), 7320, itemTop, 840);
    txttax = textBox(item, QStringLiteral("txttax"));
    twips::place(txttax, 8220, itemTop, 780, Row);
    addCaption(item, "Label5", captions.discount, 9060, itemTop, 1260);
    txtDiscount = textBox(item, QStringLiteral("txtDiscount"));
    twips::place(txtDiscount, 10380, itemTop, 780, Row);
    for (QLineEdit* centred : {txtquantity, txttax, txtDiscount})
        centred->setAlignment(Qt::AlignCenter);

    FrameCode = frame(item, QStringLiteral("FrameCode"));
    twips::place(FrameCode, 60, codeTop - 120, 6300, 540);
    FrameCode->setFlat(true);
    addCaption(FrameCode, "Label13", captions.code, 0, 120, 1140);
    CmbCode = comboBox(FrameCode, QStringLiteral("CmbCode"), true);
    CmbCode->setToolTip(captions.codeTip);
    twips::place(CmbCode, 1200, 120, 2040, Row);
    addCaption(FrameCode, "Label15", captions.batch, 3300, 120, 1020);
    if (m_kind.batchIsList) {
        QComboBox* list = comboBox(FrameCode, QStringLiteral("txtBatch"), true);
        txtBatch = list;
    } else {
        txtBatch = textBox(FrameCode, QStringLiteral("txtBatch"));
    }
    txtBatch->setToolTip(captions.batchTip);
    twips::place(txtBatch, 4380, 120, 1860, Row);
    FrameCode->setVisible(m_kind.showsCodeAndBatch);

    if (m_kind.showsAmount) {
        // Wide enough for "Amount per unit :" between the code frame and Add Item.
        addCaption(item, "Label14", captions.amount, 6420, codeTop, 1680);
        txtAmount = textBox(item, QStringLiteral("txtAmount"));
        txtAmount->setToolTip(QStringLiteral("Write Quantity"));
        txtAmount->setAlignment(Qt::AlignCenter);
        twips::place(txtAmount, 8160, codeTop, 1200, Row);
    }

    CmbAdd = controls::button(item, QStringLiteral("CmbAdd"), captions.addItem);
    CmbAdd->setToolTip(QStringLiteral("Click Add Item in Bill"));
    CmbAdd->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    twips::place(CmbAdd, 9600, codeTop - 60, 1560, 420);

    // The other buttons.
    cmdDelSerial = controls::button(this, QStringLiteral("cmdDelSerial"), captions.deleteSerial);
    cmdDelSerial->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    twips::place(cmdDelSerial, 120, 4200, 2100, 480);
    cmdDELET = controls::button(this, QStringLiteral("cmdDELET"), captions.deleteDocument);
    cmdDELET->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    twips::place(cmdDELET, 2340, 4200, 2340, 480);
    CmdNewBill = controls::button(this, QStringLiteral("CmdNewBill"), captions.newDocument);
    CmdNewBill->setToolTip(captions.newDocumentTip);
    twips::place(CmdNewBill, 4800, 4200, 2640, 480);
    CndPrintBill = controls::button(this, QStringLiteral("CndPrintBill"), captions.print);
    CndPrintBill->setToolTip(QStringLiteral("Click to take Print"));
    CndPrintBill->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                           style()->standardIcon(QStyle::SP_FileIcon)));
    twips::place(CndPrintBill, 9675, 4200, 2100, 480);

    DGG = new QTableView(this);
    grid::setUp(DGG);
    twips::place(DGG, "DGG", 120, 4800, 11655, 4200);
}

// The code picks the item and its batch: Tab leads from the code (typed, or
// scanned with a Tab after it) straight to the quantity, and the batch and
// item name it fills come before it.
void LineDocumentScreen::reorderTab()
{
    if (m_kind.codePicksItem)
        QWidget::setTabOrder(cmbitem, CmbCode);
}
