// The simple bill screen: open, New Bill, Add Item, a bill loaded from the
// list, Print Bill to a PDF file, Delete Bill and a customer number picked.

#include "Runner.h"
#include "Shop.h"
#include "kit/Lists.h"
#include "print/PrinterDevice.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace bench {

namespace {

const QString Name = QStringLiteral("BillOne");

QWidget* screen()
{
    return openScreen(Name);
}

void ensureOpen()
{
    if (!screen())
        openFromMenu(QStringLiteral("mnuMakeBill"), Name);
}

void click(const QString& button)
{
    QTest::mouseClick(control<QPushButton>(screen(), button), Qt::LeftButton);
}

QComboBox* list(const QString& name)
{
    return control<QComboBox>(screen(), name);
}

int gridRows()
{
    return control<QTableView>(screen(), QStringLiteral("DGG"))->model()->rowCount();
}

void putBillBack(Shop& shop, int bill)
{
    shop.exec(QStringLiteral("delete from asigncharges where BillNumber = ") + QString::number(bill));
    QStringList lines;
    for (int serial = 1; serial <= shop.size().linesPerBill; ++serial)
        lines << QLatin1Char('(') + ceiling::billLineValues(bill, serial, shop.size()) + QLatin1Char(')');
    shop.exec(QStringLiteral("insert into asigncharges values") + lines.join(QLatin1Char(',')));
}

}  // namespace

QVector<Group> billOneGroups(Shop& shop, AnsweringMessages& messages, const QString& folder)
{
    // The highest bill is taken out, so that New Bill has a number to give.
    const int newBill = shop.size().bills;
    Group group;
    group.title = QStringLiteral("Bill");
    group.setUp = [&shop, newBill] {
        shop.exec(QStringLiteral("delete from asigncharges where BillNumber = ") + QString::number(newBill));
    };
    group.tearDown = [&shop, newBill] {
        closeScreen(Name);
        putBillBack(shop, newBill);
    };

    Operation open{QStringLiteral("BillOne opens"), Goal::ScreenOpen};
    open.prepare = [] { closeScreen(Name); };
    open.act = [] { openFromMenu(QStringLiteral("mnuMakeBill"), Name); };
    open.check = [&shop, newBill]() -> QString {
        if (list(QStringLiteral("cmbbillnumber"))->count() != shop.size().bills - 1)
            return QStringLiteral("%1 bill numbers").arg(list(QStringLiteral("cmbbillnumber"))->count());
        if (list(QStringLiteral("CMBMEMBERNUM"))->count() != shop.size().customers)
            return QStringLiteral("%1 customers").arg(list(QStringLiteral("CMBMEMBERNUM"))->count());
        if (list(QStringLiteral("cmbitem"))->count() != shop.size().stockBatches)
            return QStringLiteral("%1 items").arg(list(QStringLiteral("cmbitem"))->count());
        if (list(QStringLiteral("cmbbillnumber"))->currentText() != QString::number(newBill))
            return QStringLiteral("next bill ") + list(QStringLiteral("cmbbillnumber"))->currentText();
        return {};
    };
    group.operations << open;

    Operation fresh{QStringLiteral("BillOne New Bill / Refresh")};
    fresh.prepare = ensureOpen;
    fresh.act = [] { click(QStringLiteral("CmdNewBill")); };
    fresh.check = [newBill]() -> QString {
        const QString shown = list(QStringLiteral("cmbbillnumber"))->currentText();
        return shown == QString::number(newBill) ? QString() : QStringLiteral("next bill ") + shown;
    };
    group.operations << fresh;

    Operation add{QStringLiteral("BillOne Add Item")};
    add.prepare = [] {
        ensureOpen();
        click(QStringLiteral("CmdNewBill"));
        lists::pick(list(QStringLiteral("cmbitem")), 5);
        control<QLineEdit>(screen(), QStringLiteral("txtquantity"))->setText(QStringLiteral("2"));
    };
    add.act = [] { click(QStringLiteral("CmbAdd")); };
    add.check = [&shop, newBill]() -> QString {
        if (shop.value(QStringLiteral("select count(*) from asigncharges where BillNumber = ")
                       + QString::number(newBill)).toInt() != 1)
            return QStringLiteral("no line stored");
        return gridRows() == 1 ? QString() : QStringLiteral("%1 grid rows").arg(gridRows());
    };
    add.restore = [&shop, newBill] {
        shop.exec(QStringLiteral("delete from asigncharges where BillNumber = ") + QString::number(newBill));
    };
    group.operations << add;

    Operation load{QStringLiteral("BillOne bill picked from the list")};
    load.prepare = ensureOpen;
    load.act = [] { lists::pick(list(QStringLiteral("cmbbillnumber")), 10); };
    load.check = [&shop]() -> QString {
        return gridRows() == shop.size().linesPerBill ? QString() : QStringLiteral("%1 grid rows").arg(gridRows());
    };
    group.operations << load;

    const QString pdf = QDir(folder).filePath(QStringLiteral("bill.pdf"));
    Operation print{QStringLiteral("BillOne Print Bill to PDF")};
    print.prepare = [pdf] {
        ensureOpen();
        lists::pick(list(QStringLiteral("cmbbillnumber")), 10);
        print::installDestination([pdf] { return print::PrinterDevice::forPdfFile(pdf); });
    };
    print.act = [] { click(QStringLiteral("CndPrintBill")); };
    print.check = [pdf]() -> QString {
        return QFileInfo(pdf).size() > 1000 ? QString() : QStringLiteral("no PDF file");
    };
    print.restore = [pdf] {
        print::restoreDefaultDestination();
        QFile::remove(pdf);
    };
    group.operations << print;

    // Always the same bill, put back after each run; New Bill lists it again.
    const int deleted = shop.size().bills / 2;
    Operation remove{QStringLiteral("BillOne Delete Bill")};
    remove.prepare = [deleted, &messages] {
        ensureOpen();
        click(QStringLiteral("CmdNewBill"));
        messages.last.clear();
        QComboBox* bills = list(QStringLiteral("cmbbillnumber"));
        lists::pick(bills, bills->findText(QString::number(deleted)));
    };
    remove.act = [] { click(QStringLiteral("cmdDELET")); };
    remove.check = [&shop, &messages, deleted]() -> QString {
        if (messages.last != QLatin1String("Data Deleted"))
            return messages.last;
        return shop.value(QStringLiteral("select count(*) from asigncharges where BillNumber = ")
                          + QString::number(deleted)).toInt() == 0
            ? QString() : QStringLiteral("bill %1 not deleted").arg(deleted);
    };
    remove.restore = [&shop, deleted] { putBillBack(shop, deleted); };
    group.operations << remove;

    Operation customer{QStringLiteral("BillOne customer number picked")};
    customer.prepare = ensureOpen;
    customer.act = [] { lists::pick(list(QStringLiteral("CMBMEMBERNUM")), 100); };
    customer.check = []() -> QString {
        return control<QLineEdit>(screen(), QStringLiteral("txtname"))->text().isEmpty() ? QStringLiteral("no customer")
                                                                                          : QString();
    };
    group.operations << customer;
    return {group};
}

}  // namespace bench
