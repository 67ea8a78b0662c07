#pragma once

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

inline QString customerRow(int number, const QString& name, const QString& address, const QString& phone)
{
    return QStringLiteral("insert into Customer values(%1,%2,%3,%4)").arg(number).arg(sql::text(name), sql::text(address), sql::text(phone));
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

    // The grid's rows as shown, fields joined with '|'.
    QStringList gridRows() const { return checks::rows(grid()->model()); }
    QStringList gridHeadings() const { return checks::headings(grid()->model()); }

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
