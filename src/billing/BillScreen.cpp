#include "billing/BillScreen.h"

#include "billing/BillReceipt.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/Dates.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/Messages.h"
#include "kit/NumericText.h"
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

QString shownText(const QVariant& value)
{
    return GridModel::displayText(value);
}

QLineEdit* textBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    lists::limitLength(box);
    return box;
}

QComboBox* comboBox(QWidget* parent, const QString& name, bool editable)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(editable);
    if (editable)
        list->setInsertPolicy(QComboBox::NoInsert);
    list->setMaxVisibleItems(15);
    return list;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

QGroupBox* frame(QWidget* parent, const QString& name)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

BillScreen::BillScreen(const QString& name, const QString& caption, QWidget* parent)
    : DataScreen(name, caption, 11895, 9120, parent)
{
    buildControls();
    setFixedSize(sizeHint());

    KeyRules rules;
    rules.onEnter = [this] { printBill(); };
    setKeyRules(rules);

    connect(CMBMEMBERNUM, &QComboBox::activated, this, [this] { pickCustomerNumber(); });
    connect(txtphone, &QLineEdit::textChanged, this, [this] { lookUpPhone(); });
    connect(cmbbillnumber, &QComboBox::activated, this, [this] { pickBillNumber(); });
    connect(CmbAdd, &QPushButton::clicked, this, [this] { addItem(); });
    connect(cmdDelSerial, &QPushButton::clicked, this, [this] { deleteSerial(); });
    connect(cmdDELET, &QPushButton::clicked, this, [this] { deleteBill(); });
    connect(CmdNewBill, &QPushButton::clicked, this, [this] { newBill(); });
    connect(CndPrintBill, &QPushButton::clicked, this, [this] { printBill(); });
}

BillScreen::~BillScreen() = default;

QLabel* BillScreen::addCaption(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* caption = new QLabel(text, parent);
    twips::place(caption, left, top, width, 315);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

void BillScreen::buildControls()
{
    constexpr int Row = 315;  // the height of a box

    // The customer.
    QGroupBox* customer = frame(this, QStringLiteral("FrameCustomer"));
    twips::place(customer, 120, 60, 6600, 2580);
    addCaption(customer, QStringLiteral("Cutomer No :"), 120, 300, 1320);
    CMBMEMBERNUM = comboBox(customer, QStringLiteral("CMBMEMBERNUM"), false);
    CMBMEMBERNUM->setToolTip(QStringLiteral("Select Customer No to get Name, Address and Phone Number"));
    twips::place(CMBMEMBERNUM, 1560, 300, 1800, Row);
    addCaption(customer, QStringLiteral("NAME :"), 120, 750, 1320);
    txtname = textBox(customer, QStringLiteral("txtname"));
    twips::place(txtname, 1560, 750, 4800, Row);
    addCaption(customer, QStringLiteral("Address :"), 120, 1200, 1320);
    txtaddress = textBox(customer, QStringLiteral("txtaddress"));
    twips::place(txtaddress, 1560, 1200, 4800, Row);
    addCaption(customer, QStringLiteral("Phone :"), 120, 1650, 1320);
    txtphone = textBox(customer, QStringLiteral("txtphone"));
    twips::place(txtphone, 1560, 1650, 2700, Row);
    chkph = new QCheckBox(QStringLiteral("Ph"), customer);
    chkph->setObjectName(QStringLiteral("chkph"));
    chkph->setChecked(false);
    twips::place(chkph, 4440, 1650, 900, Row);
    addCaption(customer, QStringLiteral("Remark :"), 120, 2100, 1320);
    txtRemark = textBox(customer, QStringLiteral("txtRemark"));
    twips::place(txtRemark, 1560, 2100, 4800, Row);

    // The bill number and date, in the coloured frame.
    QGroupBox* bill = frame(this, QStringLiteral("FrameBillNumber"));
    twips::place(bill, 6840, 60, 4935, 1260);
    bill->setStyleSheet(QStringLiteral("QGroupBox#FrameBillNumber { background-color: #fff4c2; "
                                       "border: 1px solid #c9b458; border-radius: 3px; }"));
    addCaption(bill, QStringLiteral("Bill No :"), 120, 300, 1200);
    cmbbillnumber = comboBox(bill, QStringLiteral("cmbbillnumber"), true);
    cmbbillnumber->setToolTip(QStringLiteral("Select Bill Number to Get Bill Details"));
    twips::place(cmbbillnumber, 1440, 300, 1800, Row);
    addCaption(bill, QStringLiteral("Date :"), 120, 750, 1200);
    DTP = new QDateEdit(bill);
    DTP->setObjectName(QStringLiteral("DTP"));
    dates::setUpPicker(DTP);
    twips::place(DTP, 1440, 750, 1800, Row);

    // The grand total.
    QGroupBox* total = frame(this, QStringLiteral("FrameGrandTotal"));
    twips::place(total, 6840, 1380, 4935, 1260);
    addCaption(total, QStringLiteral("Grand Total :"), 120, 480, 1560);
    lblGrandTotal = new QLabel(total);
    lblGrandTotal->setObjectName(QStringLiteral("lblGrandTotal"));
    QFont large = lblGrandTotal->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    lblGrandTotal->setFont(large);
    lblGrandTotal->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    twips::place(lblGrandTotal, 1800, 330, 3000, 600);

    // The line being added.
    QGroupBox* item = frame(this, QStringLiteral("FrameItem"));
    twips::place(item, 120, 2700, 11655, 1380);
    addCaption(item, QStringLiteral("Item :"), 60, 300, 780);
    cmbitem = comboBox(item, QStringLiteral("cmbitem"), true);
    cmbitem->setToolTip(QStringLiteral("Select Item Name"));
    twips::place(cmbitem, 900, 300, 4260, Row);
    addCaption(item, QStringLiteral("Quantity :"), 5220, 300, 1080);
    txtquantity = textBox(item, QStringLiteral("txtquantity"));
    txtquantity->setToolTip(QStringLiteral("Write Quantity"));
    twips::place(txtquantity, 6360, 300, 900, Row);
    addCaption(item, QStringLiteral("Tax % :"), 7320, 300, 840);
    txttax = textBox(item, QStringLiteral("txttax"));
    twips::place(txttax, 8220, 300, 780, Row);
    addCaption(item, QStringLiteral("Discount % :"), 9060, 300, 1260);
    txtDiscount = textBox(item, QStringLiteral("txtDiscount"));
    twips::place(txtDiscount, 10380, 300, 780, Row);
    for (QLineEdit* centred : {txtquantity, txttax, txtDiscount})
        centred->setAlignment(Qt::AlignCenter);

    // Item code and batch: the derived screen adds its batch control and
    // decides whether the frame shows.
    m_codeFrame = frame(item, QStringLiteral("FrameCode"));
    twips::place(m_codeFrame, 60, 720, 6300, 540);
    m_codeFrame->setFlat(true);
    addCaption(m_codeFrame, QStringLiteral("Item Code :"), 0, 120, 780);
    CmbCode = comboBox(m_codeFrame, QStringLiteral("CmbCode"), true);
    twips::place(CmbCode, 840, 120, 2040, Row);
    addCaption(m_codeFrame, QStringLiteral("Batch No :"), 3000, 120, 1080);

    CmbAdd = button(item, QStringLiteral("CmbAdd"), QStringLiteral("Add Item"));
    CmbAdd->setToolTip(QStringLiteral("Click Add Item in Bill"));
    CmbAdd->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    twips::place(CmbAdd, 9600, 780, 1560, 420);

    // The other buttons.
    cmdDelSerial = button(this, QStringLiteral("cmdDelSerial"), QStringLiteral("Delete Serial"));
    cmdDelSerial->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    twips::place(cmdDelSerial, 120, 4200, 2100, 480);
    cmdDELET = button(this, QStringLiteral("cmdDELET"), QStringLiteral("Delete Bill"));
    cmdDELET->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    twips::place(cmdDELET, 2340, 4200, 2100, 480);
    CmdNewBill = button(this, QStringLiteral("CmdNewBill"), QStringLiteral("New Bill / Refresh"));
    CmdNewBill->setToolTip(QStringLiteral("Click Prior to make New Bill"));
    twips::place(CmdNewBill, 4560, 4200, 2640, 480);
    CndPrintBill = button(this, QStringLiteral("CndPrintBill"), QStringLiteral("Print Bill"));
    CndPrintBill->setToolTip(QStringLiteral("Click to take Print"));
    CndPrintBill->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                           style()->standardIcon(QStyle::SP_FileIcon)));
    twips::place(CndPrintBill, 9675, 4200, 2100, 480);

    DGG = new QTableView(this);
    DGG->setObjectName(QStringLiteral("DGG"));
    grid::setUp(DGG);
    twips::place(DGG, 120, 4800, 11655, 4200);
}

// ---------------------------------------------------------------- procedures

void BillScreen::connectx()
{
    ::connectx(m_connection);
}

BillScreen::NextNumber BillScreen::nextAfterMaximum(const QString& statement)
{
    NextNumber next;  // Unknown until the maximum is read
    stopAtFirstError([&] {
        m_rs.open(statement, m_connection);
        const QVariant maximum = m_rs.field(0);
        if (maximum.isNull()) {
            next = {Numbering::Free, 1};
            return;
        }
        const qint16 highest = numeric::toInt16(maximum);
        if (highest >= HighestNumber)
            next = {Numbering::UsedUp, 0};
        else
            next = {Numbering::Free, qint16(std::max<int>(highest + 1, 1))};
    });
    return next;
}

// The stored maximum plus one, 1 for an empty table. When the maximum is
// already the highest 16-bit number, or cannot be read, there is no number to
// hand out: handing out 1 then could give a bill that is in use.
BillScreen::NextNumber BillScreen::FindLastBillNumber()
{
    connectx();
    return nextAfterMaximum(QStringLiteral("Select max(BillNumber) from asigncharges"));
}

BillScreen::NextNumber BillScreen::FindLastSerialNumber(qint16 billNumber)
{
    connectx();
    return nextAfterMaximum(QStringLiteral("Select max(Serial) from asigncharges where BillNumber = ")
                            + sql::number(billNumber));
}

double BillScreen::FindGrandTotal(qint16 billNumber)
{
    connectx();
    m_rs.open(QStringLiteral("Select * from asigncharges where BillNumber = ") + sql::number(billNumber),
              m_connection);
    return arithmetic::runningRoundedTotal(arithmetic::lineTotals(m_rs));
}

void BillScreen::FillItemNameFromStock(QComboBox* list)
{
    list->clear();
    connectx();
    stopAtFirstError([&] {
        m_rs.open(QStringLiteral("Select distinct(Item)from Stock order by Item ASC"), m_connection);
        for (; !m_rs.eof(); m_rs.moveNext())
            list->addItem(shownText(m_rs.field(0)));
    });
}

void BillScreen::FillBillN(QComboBox* list)
{
    list->clear();
    connectx();
    stopAtFirstError([&] {
        m_rs.open(QStringLiteral("Select distinct(BillNumber) AS Item from asigncharges ORDER BY BillNumber desc"),
                  m_connection);
        for (; !m_rs.eof(); m_rs.moveNext())
            list->addItem(shownText(m_rs.field(0)));
    });
    lists::pick(list, 0);
}

void BillScreen::Fill(const QString& column, const QString& table, const QString& orderColumn,
                      const QString& direction, QComboBox* list)
{
    SkipFailing skip;
    list->clear();
    connectx();
    skip([&] {
        m_rs.open(QStringLiteral("Select distinct(") + column + QStringLiteral(") from ") + table
                      + QStringLiteral(" order by ") + orderColumn + QStringLiteral(" ") + direction,
                  m_connection);
    });
    skip([&] {
        for (; !m_rs.eof(); m_rs.moveNext())
            list->addItem(shownText(m_rs.field(0)));
    });
    m_connection.close();
    lists::pick(list, 0);
}

bool BillScreen::FindPersonnelDetails(const QString& customerNumber)
{
    SkipFailing skip;
    connectx();
    // The three values are taken together: a customer that cannot be read
    // leaves the found values, and so the boxes, as they were.
    const bool found = skip([&] {
        m_rs.open(QStringLiteral("Select  SN, ITEM, PARTNO,REMARK from Customer where sn = ")
                      + sql::number(numeric::toInt16(customerNumber)),
                  m_connection);
        const QVariant name = m_rs.field(QStringLiteral("ITEM"));
        const QVariant address = m_rs.field(QStringLiteral("PARTNO"));
        const QString phone = m_rs.field(QStringLiteral("REMARK")).toString();
        m_foundName = name;
        m_foundAddress = address;
        m_foundPhone = phone;
    });
    m_connection.close();
    return found;
}

void BillScreen::AssignToObject(QLineEdit* name, QLineEdit* address, QLineEdit* phone)
{
    name->setText(m_foundName.toString());
    address->setText(m_foundAddress.toString());
    phone->setText(m_foundPhone);
}

void BillScreen::unbindGrid()
{
    grid::unbind(DGG);
    m_gridBill.reset();
}

void BillScreen::RefreshBillGrid(qint16 billNumber)
{
    unbindGrid();
    m_gridConnection.open();
    RecordSet lines;
    lines.open(QStringLiteral(
                   "Select  Serial, Item, Quantity , Amount * Quantity as Amount_, (Amount * Quantity * "
                   "DiscountinPercentage / 100) As Discount , ((Amount * Quantity) - ((Amount * Quantity * "
                   "DiscountinPercentage / 100))) * TaxInPercentage / 100 as Tax, ((Amount * Quantity) - "
                   "((Amount * Quantity * DiscountinPercentage / 100))) + ((Amount * Quantity) - ((Amount * "
                   "Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100  as Total from "
                   "asigncharges  where BillNumber = ")
                   + sql::number(billNumber) + QStringLiteral(" order by Serial asc"),
               m_gridConnection);
    grid::bind(DGG, lines);
    m_gridBill = billNumber;
    SetBillGridColumns();
}

void BillScreen::SetBillGridColumns()
{
    twips::setColumnWidths(DGG, {700, 5000, 1000, 1000, 1000, 1000});
}

void BillScreen::giveBackAndDelete(qint16 billNumber, qint16 serial)
{
    const QString line = QStringLiteral(" where BillNumber = ") + sql::number(billNumber)
        + QStringLiteral(" and Serial = ") + sql::number(serial);
    m_rs.open(QStringLiteral("Select * from asigncharges") + line, m_connection);
    const qint16 quantity = numeric::toInt16(m_rs.field(QStringLiteral("Quantity")));
    const QString itemCode = m_rs.field(QStringLiteral("ItemCode")).toString();
    const QString item = m_rs.field(QStringLiteral("Item")).toString();
    const QString batch = m_rs.field(QStringLiteral("Batch_Number")).toString();

    Transaction transaction(m_connection);
    m_rs2.open(QStringLiteral("Update Stock set Quantity = Quantity + ") + sql::number(quantity)
                   + QStringLiteral(" where ItemCode = ") + sql::text(itemCode)
                   + QStringLiteral(" and Item = ") + sql::text(item)
                   + QStringLiteral("  and Batch_Number = ") + sql::text(batch),
               m_connection);
    m_rs.open(QStringLiteral("Delete * from asigncharges") + line, m_connection);
    transaction.commit();
}

qint16 BillScreen::boxBillNumber() const
{
    const qint16 number = numeric::toInt16(cmbbillnumber->currentText());
    if (number < 1)
        throw Failure(QStringLiteral("Bill numbers start at 1."));
    return number;
}

void BillScreen::showNextBillNumber()
{
    m_nextBill = FindLastBillNumber();
    if (m_nextBill.state == Numbering::Free) {
        m_billNumber = m_nextBill.number;
        cmbbillnumber->setEditText(QString::number(m_billNumber));
    } else {
        // No number to offer: Add Item has nothing to add to.
        cmbbillnumber->setEditText(QString());
    }
}

void BillScreen::showEmptyBill()
{
    SkipFailing skip;
    skip([&] { RefreshBillGrid(NoBill); });
    m_grandTotal = 0;
    lblGrandTotal->setText(QStringLiteral("0"));
}

void BillScreen::clearKeptCustomer()
{
    m_customerName.clear();
    m_customerAddress.clear();
    m_customerPhone.clear();
    m_customerRemark.clear();
}

void BillScreen::clearCustomer()
{
    txtname->clear();
    txtaddress->clear();
    txtphone->clear();
    clearKeptCustomer();
}

// ---------------------------------------------------------------- operations

void BillScreen::openScreen()
{
    fillItemList();
    // Selecting the newest bill loads it; what follows overrides what that shows.
    FillBillN(cmbbillnumber);
    showEmptyBill();
    // The loaded bill's customer is not the new bill's.
    clearCustomer();
    Fill(QStringLiteral("SN"), QStringLiteral("Customer"), QStringLiteral("SN"), QStringLiteral("desc"),
         CMBMEMBERNUM);
    showNextBillNumber();
    DTP->setDate(QDate::currentDate());
}

void BillScreen::pickCustomerNumber()
{
    if (FindPersonnelDetails(CMBMEMBERNUM->currentText()))
        AssignToObject(txtname, txtaddress, txtphone);
}

void BillScreen::lookUpPhone()
{
    if (!chkph->isChecked())
        return;
    txtname->clear();
    txtaddress->clear();
    const QString phone = txtphone->text();
    if (phone.isEmpty())
        return;

    SkipFailing skip;
    Connection connection;
    RecordSet found;
    skip([&] { connection.open(); });
    skip([&] {
        found.open(QStringLiteral("Select  SN, ITEM , PARTNO ,REMARK  from Customer where REMARK Like ")
                       + sql::text(QStringLiteral("%") + phone + QStringLiteral("%")),
                   connection);
    });
    skip([&] { txtname->setText(found.field(QStringLiteral("ITEM")).toString()); });
    skip([&] { txtaddress->setText(found.field(QStringLiteral("PARTNO")).toString()); });
}

void BillScreen::addItem()
{
    connectx();
    // The operator stays on this bill until New Bill / Refresh.
    cmbbillnumber->setEnabled(false);
    if (m_nextBill.state == Numbering::UsedUp && cmbbillnumber->currentText().trimmed().isEmpty()) {
        Messages::instance().inform(QStringLiteral("Bill numbers are used up: the highest bill number is %1.")
                                        .arg(HighestNumber),
                                    QStringLiteral("Information"));
        return;
    }

    stopAtFirstError([&] {
        if (cmbitem->currentText().isEmpty() || !numeric::isNumeric(txtquantity->text())
            || !numeric::isNumeric(cmbbillnumber->currentText()))
            return;
        if (!numeric::isNumeric(txttax->text()))
            txttax->setText(QStringLiteral("0"));
        if (!numeric::isNumeric(txtDiscount->text()))
            txtDiscount->setText(QStringLiteral("0"));

        m_billNumber = boxBillNumber();
        m_quantity = numeric::toInt16(txtquantity->text());
        const NextNumber serial = FindLastSerialNumber(m_billNumber);
        if (serial.state == Numbering::UsedUp) {
            Messages::instance().inform(QStringLiteral("A bill holds at most %1 lines: bill %2 is full.")
                                            .arg(HighestNumber)
                                            .arg(m_billNumber),
                                        QStringLiteral("Information"));
            return;
        }
        if (serial.state != Numbering::Free)
            return;  // the bill's lines could not be read: no number is safe
        m_serial = serial.number;

        m_item = cmbitem->currentText();
        m_rs.open(unitPriceQuery(), m_connection);
        m_amount = numeric::toDouble(m_rs.field(0));

        m_tax = numeric::toDouble(txttax->text());
        m_discount = numeric::toDouble(txtDiscount->text());
        m_customerName = txtname->text();
        m_customerAddress = txtaddress->text();
        m_customerPhone = txtphone->text();
        m_customerRemark = txtRemark->text();
        m_billDate = DTP->date();
        const QString itemCode = itemCodeText();
        const QString batch = batchText();

        // The line and the stock it takes are stored together or not at all.
        {
            Transaction transaction(m_connection);
            const QStringList values{sql::number(m_billNumber),    sql::number(m_serial),
                                     sql::text(m_item),            sql::number(m_quantity),
                                     sql::number(m_amount),        sql::number(m_tax),
                                     sql::number(m_discount),      sql::text(m_customerName),
                                     sql::text(m_customerAddress), sql::text(m_customerPhone),
                                     sql::text(m_customerRemark),  sql::text(QStringLiteral("-")),
                                     sql::number(0),               sql::date(m_billDate),
                                     sql::text(itemCode),          sql::text(batch),
                                     sql::number(0)};
            m_rs.open(QStringLiteral("insert into asigncharges values(") + values.join(QLatin1Char(','))
                          + QStringLiteral(")"),
                      m_connection);
            m_rs2.open(QStringLiteral("Update Stock set Quantity = Quantity - ") + sql::number(m_quantity)
                           + QStringLiteral(" where ItemCode = ") + sql::text(itemCode)
                           + QStringLiteral(" and Item = ") + sql::text(m_item)
                           + QStringLiteral("  and Batch_Number = ") + sql::text(batch),
                       m_connection);
            transaction.commit();
        }
        m_connection.close();

        RefreshBillGrid(m_billNumber);
        m_grandTotal = FindGrandTotal(m_billNumber);
        lblGrandTotal->setText(numeric::numberText(m_grandTotal));
    });
}

void BillScreen::pickBillNumber()
{
    lblGrandTotal->clear();
    m_grandTotal = 0;
    SkipFailing skip;
    qint16 billNumber = NoBill;
    if (!numeric::isNumeric(cmbbillnumber->currentText()) || !skip([&] { billNumber = boxBillNumber(); }))
        return;

    skip([&] { RefreshBillGrid(billNumber); });
    connectx();
    skip([&] {
        m_rs.open(QStringLiteral("Select * from asigncharges where BillNumber = ") + sql::number(billNumber),
                  m_connection);
    });
    skip([&] {
        m_rs.moveFirst();
        m_grandTotal = arithmetic::roundedOnceTotal(arithmetic::lineTotals(m_rs));
    });
    lblGrandTotal->setText(numeric::numberText(m_grandTotal) + QStringLiteral(".00"));

    m_rs.moveFirst();
    skip([&] { txtname->setText(m_rs.field(QStringLiteral("CustomerName")).toString()); });
    skip([&] { txtaddress->setText(m_rs.field(QStringLiteral("CustomerAddress")).toString()); });
    skip([&] { txtphone->setText(m_rs.field(QStringLiteral("CustomerPhone")).toString()); });
}

void BillScreen::newBill()
{
    cmbbillnumber->setEnabled(true);
    showNextBillNumber();
    clearCustomer();
    unbindGrid();
    lblGrandTotal->setText(QStringLiteral("0"));

    fillItemList();
    // Selecting the newest bill loads it; the new bill is shown again below.
    FillBillN(cmbbillnumber);

    showEmptyBill();
    if (m_nextBill.state == Numbering::Free)
        cmbbillnumber->setEditText(QString::number(m_nextBill.number));
    else
        cmbbillnumber->setEditText(QString());
    clearCustomer();

    Fill(QStringLiteral("SN"), QStringLiteral("Customer"), QStringLiteral("SN"), QStringLiteral("desc"),
         CMBMEMBERNUM);
    showNextBillNumber();
}

void BillScreen::printBill()
{
    billing::PrintBill(cmbbillnumber->currentText(), m_connection);
}
