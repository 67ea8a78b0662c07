#pragma once

#include "support/TestDatabase.h"

#include "core/Maker.h"
#include "data/SqlText.h"
#include "kit/Lists.h"
#include "support/Checks.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

// Rows the bill tests start from, and a bill screen driven as an operator
// drives it: typing into boxes, clicking buttons, picking from lists.
namespace billingtest {

// A stock batch as a receipt leaves it, with a selling price (MRP) set.
inline QString stockRow(int number, const QString& item, int quantity, double mrp,
                        const QString& itemCode = {}, const QString& batch = {})
{
    return QStringLiteral("insert into Stock values(%1,0,%2,%3,0,0,0,'SUPPLIER','','','','-',0,%4,%5,%6,%7)")
        .arg(number).arg(sql::text(item)).arg(quantity)
        .arg(sql::date(QDate(2026, 1, 5)), sql::text(itemCode), sql::text(batch), sql::number(mrp));
}

// A stock batch with its unit amount, as a receipt of that amount leaves it (MRP 0).
inline QString batchRow(int number, const QString& itemCode, const QString& item, const QString& batch, int quantity,
                        double amount)
{
    return QStringLiteral("insert into Stock values(%1,0,%2,%3,%4,0,0,'SUPPLIER','','','','-',0,%5,%6,%7,0)")
        .arg(number).arg(sql::text(item)).arg(quantity)
        .arg(sql::number(amount), sql::date(QDate(2026, 1, 5)), sql::text(itemCode), sql::text(batch));
}

inline QString partyRow(const QString& table, int number, const QString& name, const QString& address,
                        const QString& phone)
{
    return QStringLiteral("insert into %1 values(%2,%3,%4,%5)")
        .arg(table).arg(number).arg(sql::text(name), sql::text(address), sql::text(phone));
}
inline QString customerRow(int number, const QString& name, const QString& address, const QString& phone)
{
    return partyRow(QStringLiteral("Customer"), number, name, address, phone);
}
inline QString supplierRow(int number, const QString& name, const QString& address, const QString& phone)
{
    return partyRow(QStringLiteral("Supplier"), number, name, address, phone);
}

// An item of the item master with its price.
inline QString chargesRow(int number, const QString& item, double price)
{
    return QStringLiteral("insert into Charges values(%1,%2,%3,'-',0)").arg(number).arg(sql::text(item), sql::number(price));
}

// A line with item code and batch stored directly into asigncharges or ItemIn.
inline QString codedLine(const QString& table, int number, int serial, const QString& itemCode, const QString& item,
                         const QString& batch, int quantity, double amount, const QString& party = QStringLiteral("ACME"))
{
    return QStringLiteral("insert into %1 values(%2,%3,%4,%5,%6,0,0,%7,'ADDR','PHONE','','-',0,%8,%9,%10,0)")
        .arg(table).arg(number).arg(serial).arg(sql::text(item)).arg(quantity)
        .arg(sql::number(amount), sql::text(party), sql::date(QDate(2026, 12, 4)), sql::text(itemCode), sql::text(batch));
}

// The words the failing triggers below refuse a change with.
const QString TriggerWords = QStringLiteral("closed for stocktaking");

// A trigger that makes every change of the table's rows of one kind
// ("UPDATE", "INSERT", "DELETE") fail with TriggerWords, a rule of the
// database's own. On the server the trigger runs TestDatabase's refuse_change().
inline QString failingTrigger(const QString& change, const QString& table)
{
    if (TestDatabase::onServer())
        return QStringLiteral("CREATE TRIGGER Refuse%1%2 BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION refuse_change()")
            .arg(change, table);
    return QStringLiteral("CREATE TRIGGER Refuse%1%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
        .arg(change, table, TriggerWords);
}
inline QStringList dropFailingTriggers(const QStringList& tables = {"Stock"})
{
    QStringList drops;
    for (const QString& table : tables)
        for (const char* change : {"UPDATE", "INSERT", "DELETE"})
            drops << QStringLiteral("DROP TRIGGER IF EXISTS Refuse%1%2").arg(QLatin1String(change), table)
                    + (TestDatabase::onServer() ? " ON " + table : QString());
    return drops;
}

// The texts shown, each change the database refused (in its own words,
// which are the engine's) as "refused".
inline QStringList textsWithRefusals(const RecordingMessages& messages)
{
    QStringList all = messages.texts();
    for (QString& text : all)
        if (text.startsWith("The change could not be made:") && text.endsWith("Nothing was changed."))
            text = "refused";
    return all;
}

// --- the printed receipt, as a reader sees it ---

const QString ShopHeaderRow = QStringLiteral(
    "insert into ShopHeader values('THE CORNER SHOP','12 MARKET ROAD','NEAR BUS STAND','MYSORE','9845012345')");
const QString Rule(76, QLatin1Char('-'));
const QString Dashes(17, QLatin1Char('-'));
const QStringList ShopHeader{"THE CORNER SHOP", "12 MARKET ROAD", "NEAR BUS STAND", "MYSORE", "Mobile : 9845012345", Rule};
const QStringList Footer{Rule, "Software Designed By :", "Norvik Software Consultancy Services",
                         maker::EmailLine, maker::WebLine, Rule};
const QString Heading = checks::placed({{1, "Item"}, {32, "Qty"}, {39, "Amt"}, {46, "Dis"}, {53, "Total"}});

// A detail line: item, quantity, amount, discount and total at their columns.
inline QString detail(const QString& item, const QString& q, const QString& a, const QString& d, const QString& t)
{
    return checks::placed({{1, item}, {32, " " + q}, {39, " " + a}, {46, " " + d}, {53, " " + t}});
}
inline QString grandTotal(const QString& total) { return checks::placed({{22, "Grand Total :"}, {49, total}}); }

// The whole receipt: header, the document's texts, the lines and the grand total.
inline QStringList receipt(const QStringList& document, const QStringList& lines, const QString& total)
{
    return ShopHeader + document + QStringList{Rule, Heading, Rule} + lines + QStringList{Rule, grandTotal(total)} + Footer;
}

// A bill line stored directly, as an earlier session would have left it.
inline QString billLine(int bill, int serial, const QString& item, int quantity, double price,
                        double tax = 0, double discount = 0, const QString& name = QStringLiteral("CASH"),
                        const QDate& date = QDate(2026, 12, 4))
{
    return QStringLiteral("insert into asigncharges values(%1,%2,%3,%4,%5,%6,%7,%8,'ADDR','PHONE','','-',0,%9,'','',0)")
        .arg(bill).arg(serial).arg(sql::text(item)).arg(quantity)
        .arg(sql::number(price), sql::number(tax), sql::number(discount), sql::text(name), sql::date(date));
}

class BillOperator {
public:
    explicit BillOperator(QWidget* screen) : m_screen(screen) {}

    template <class Control>
    Control* control(const QString& name) const
    {
        auto* found = m_screen->findChild<Control*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QComboBox* list(const QString& name) const { return control<QComboBox>(name); }
    QTableView* grid() const { return control<QTableView>(QStringLiteral("DGG")); }
    QString grandTotal() const { return control<QLabel>(QStringLiteral("lblGrandTotal"))->text(); }
    QString billNumber() const { return list(QStringLiteral("cmbbillnumber"))->currentText(); }

    // Empties the box as the operator does, then types the text key by key.
    void type(QLineEdit* box, const QString& text) const
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void type(const QString& boxName, const QString& text) const { type(box(boxName), text); }
    void typeIn(QComboBox* editableList, const QString& text) const { type(editableList->lineEdit(), text); }

    void click(const QString& buttonName) const
    {
        QTest::mouseClick(control<QPushButton>(buttonName), Qt::LeftButton);
    }

    // Opens the list and clicks the entry with that text.
    bool pick(const QString& listName, const QString& entry) const
    {
        QComboBox* box = list(listName);
        const int index = box->findText(entry);
        if (index < 0)
            return false;
        lists::pick(box, index);
        return true;
    }

    // Item, quantity, tax and discount typed, then Add Item.
    void addLine(const QString& item, const QString& quantity, const QString& tax = QStringLiteral("0"),
                 const QString& discount = QStringLiteral("0")) const
    {
        if (!pick(QStringLiteral("cmbitem"), item))
            typeIn(list(QStringLiteral("cmbitem")), item);
        type(QStringLiteral("txtquantity"), quantity);
        type(QStringLiteral("txttax"), tax);
        type(QStringLiteral("txtDiscount"), discount);
        click(QStringLiteral("CmbAdd"));
    }

    // A receipt line: item, code and batch, quantity, unit amount and the
    // percentages typed, then Add Item.
    void receiveLine(const QString& item, const QString& itemCode, const QString& batch, const QString& quantity,
                     const QString& amount, const QString& tax = QStringLiteral("0"),
                     const QString& discount = QStringLiteral("0")) const
    {
        typeIn(list(QStringLiteral("CmbCode")), itemCode);
        type(QStringLiteral("txtBatch"), batch);
        type(QStringLiteral("txtAmount"), amount);
        addLine(item, quantity, tax, discount);
    }

    // A sale by item code: the code picked from its list, a batch picked when
    // one is named, the quantity typed, then Add Item.
    void sellByCode(const QString& itemCode, const QString& quantity, const QString& batch = {}) const
    {
        if (!pick(QStringLiteral("CmbCode"), itemCode))
            typeIn(list(QStringLiteral("CmbCode")), itemCode);
        if (!batch.isEmpty() && !pick(QStringLiteral("txtBatch"), batch))
            typeIn(list(QStringLiteral("txtBatch")), batch);
        type(QStringLiteral("txtquantity"), quantity);
        click(QStringLiteral("CmbAdd"));
    }

    // The party boxes: name|address|phone.
    QString party() const
    {
        return box(QStringLiteral("txtname"))->text() + '|' + box(QStringLiteral("txtaddress"))->text() + '|'
            + box(QStringLiteral("txtphone"))->text();
    }

    // The grid's rows as shown, then "= " and the grand total.
    QStringList shown() const { return gridRows() << "= " + grandTotal(); }

    // The grid's rows as shown, fields joined with '|'.
    QStringList gridRows() const { return checks::rows(grid()->model()); }

    // Clicks a row of the grid, which makes it the current row.
    void clickGridRow(int row) const
    {
        QTableView* view = grid();
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }

private:
    QWidget* m_screen;
};

}  // namespace billingtest
