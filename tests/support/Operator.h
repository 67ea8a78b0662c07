#pragma once

#include "kit/Lists.h"
#include "support/Checks.h"
#include "support/Names.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

// A screen driven as an operator drives it, its controls found by their names (support/Names.h).
class Operator {
public:
    explicit Operator(QWidget* screen) : m_screen(screen) {}

    template <class Control = QWidget>
    Control* control(const QString& name) const
    {
        auto* found = m_screen->findChild<Control*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QComboBox* list(const QString& name) const { return control<QComboBox>(name); }
    QTableView* grid() const { return control<QTableView>(ui::Grid); }

    // What a box, list or label shows.
    QString text(const QString& name) const
    {
        QWidget* shown = control(name);
        if (auto* list = qobject_cast<QComboBox*>(shown))
            return list->currentText();
        if (auto* label = qobject_cast<QLabel*>(shown))
            return label->text();
        return qobject_cast<QLineEdit*>(shown)->text();
    }
    // What several show, joined with '|'.
    QString texts(const QStringList& names) const
    {
        QStringList all;
        for (const QString& name : names)
            all << text(name);
        return all.join('|');
    }
    QStringList entries(const QString& listName) const { return checks::entries(list(listName)); }

    // Empties the box (or a list's box), then types the text key by key (beyond ASCII as plain key presses).
    void type(const QString& name, const QString& text) const
    {
        QWidget* target = control(name);
        QLineEdit* box = qobject_cast<QComboBox*>(target) ? qobject_cast<QComboBox*>(target)->lineEdit()
                                                          : qobject_cast<QLineEdit*>(target);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClicks(box, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void click(const QString& buttonName) const
    {
        QTest::mouseClick(control<QAbstractButton>(buttonName), Qt::LeftButton);
    }
    // Opens the list and clicks the entry with that text; false when there is none.
    bool pick(const QString& listName, const QString& entry) const
    {
        QComboBox* box = list(listName);
        const int index = box->findText(entry);
        if (index < 0)
            return false;
        lists::pickAsOperator(box, index);
        return true;
    }
    // Picks the entry when the list has it, else types it.
    void choose(const QString& listName, const QString& entry) const
    {
        if (!pick(listName, entry))
            type(listName, entry);
    }

    // The grid's rows as shown, fields joined with '|'.
    QStringList gridRows() const { return checks::rows(grid()->model()); }
    void clickGridRow(int row) const
    {
        QTableView* view = grid();
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Types over the row's editable cell (its first key opens it), then Enter, which stores it.
    void typeInGrid(int row, const QString& text) const
    {
        QTableView* view = grid();
        clickGridRow(row);
        QTest::keyClicks(view, text.left(1));
        QWidget* cell = view->indexWidget(view->currentIndex());
        if (!cell)
            qFatal("no cell open for typing in row %d", row);
        QTest::keyClicks(cell, text.mid(1));
        QTest::keyClick(cell, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // --- the line-document screens ---

    QString number() const { return text(ui::Number); }
    QString grandTotal() const { return text(ui::GrandTotal); }
    QString party() const { return texts({ui::PartyName, ui::Address, ui::Phone}); }
    // The grid's rows, then "= " and the grand total.
    QStringList shown() const { return gridRows() << "= " + grandTotal(); }

    // Item, quantity, tax and discount typed, then Add Item.
    void addLine(const QString& item, const QString& quantity, const QString& tax = "0",
                 const QString& discount = "0") const
    {
        choose(ui::Item, item);
        type(ui::Quantity, quantity);
        type(ui::Tax, tax);
        type(ui::Discount, discount);
        click(ui::Add);
    }
    // A receipt line: code, batch and unit amount typed, then as addLine.
    void receiveLine(const QString& item, const QString& code, const QString& batch, const QString& quantity,
                     const QString& amount, const QString& tax = "0", const QString& discount = "0") const
    {
        type(ui::Code, code);
        type(ui::Batch, batch);
        type(ui::Amount, amount);
        addLine(item, quantity, tax, discount);
    }
    // A sale by item code (and a batch, when one is named), then Add Item.
    void sellByCode(const QString& code, const QString& quantity, const QString& batch = {}) const
    {
        choose(ui::Code, code);
        if (!batch.isEmpty())
            choose(ui::Batch, batch);
        type(ui::Quantity, quantity);
        click(ui::Add);
    }
    // A voucher: the head chosen and the amount typed, then Add.
    void addVoucher(const QString& head, const QString& amount) const
    {
        choose(ui::Item, head);
        type(ui::Quantity, amount);
        click(ui::Add);
    }

private:
    QWidget* m_screen;
};
