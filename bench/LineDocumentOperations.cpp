// The line-document screens (the simple bill, the bill with details, the item
// receipt and the expenditure voucher): open, open after another till's
// change, New / Refresh, Add Item, a document loaded from the list, Print to
// a PDF file, Delete Serial and Delete of the whole document, a party number
// picked, and on the bill with details an item code picked.

#include "Runner.h"
#include "Shop.h"
#include "kit/Lists.h"
#include "print/Destination.h"
#include "print/PrinterDevice.h"

#include <QAbstractItemModel>
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

// What sets one screen's runs apart.
struct DocumentScreen {
    QString name;
    QString menuEntry;
    QString lineTable;
    int documents;  // numbered 1..documents
    int parties;
    int items;
    // The lines of a document as made, each a row of values.
    std::function<QStringList(int number)> lines;
    // Fills in the line Add Item stores.
    std::function<void(QWidget* screen)> enterLine;
    bool voucher = false;  // one line a document; the grid lists every voucher
    // The values of one more line of a document, as another till stores it.
    std::function<QString(int document, int serial)> lineValues{};
    // How that line moves its batch's stock ("Quantity - 2"); none for a voucher.
    QString stockMove{};
};

QString number(int n)
{
    return QString::number(n);
}

QStringList billLines(const Shop& shop, int bill)
{
    QStringList rows;
    for (int serial = 1; serial <= shop.size().linesPerBill; ++serial)
        rows << ceiling::billLineValues(bill, serial, shop.size());
    return rows;
}

QStringList receiptLines(const Shop& shop, int receipt)
{
    const ceiling::Size& size = shop.size();
    QStringList rows;
    for (int serial = 1; serial <= size.linesPerReceipt; ++serial)
        if ((receipt - 1) * size.linesPerReceipt + serial <= size.receiptLines)
            rows << ceiling::receiptLineValues(receipt, serial, size);
    return rows;
}

void pickEntry(QWidget* screen, const QString& list, int index)
{
    lists::pickAsOperator(control<QComboBox>(screen, list), index);
}

void setText(QWidget* screen, const QString& box, const QString& text)
{
    control<QLineEdit>(screen, box)->setText(text);
}

QVector<DocumentScreen> documentScreens(Shop& shop)
{
    const ceiling::Size& size = shop.size();
    const auto bill = [&shop](int n) { return billLines(shop, n); };
    DocumentScreen billOne{QStringLiteral("BillOne"), QStringLiteral("mnuMakeBill"), QStringLiteral("asigncharges"),
                           size.bills, size.customers, size.stockBatches, bill,
                           [](QWidget* screen) {
                               pickEntry(screen, QStringLiteral("cmbitem"), 5);
                               setText(screen, QStringLiteral("txtquantity"), QStringLiteral("2"));
                           }};
    DocumentScreen billTwo{QStringLiteral("BillTwo"), QStringLiteral("mnuMakeBillWithDetails"),
                           QStringLiteral("asigncharges"), size.bills, size.customers, size.masterRows, bill,
                           [](QWidget* screen) {
                               pickEntry(screen, QStringLiteral("CmbCode"), 5);
                               setText(screen, QStringLiteral("txtquantity"), QStringLiteral("2"));
                           }};
    DocumentScreen receipt{QStringLiteral("ItemInFrm"), QStringLiteral("mnuItemReceive"), QStringLiteral("ItemIn"),
                           size.receipts(), size.masterRows, size.masterRows,
                           [&shop](int n) { return receiptLines(shop, n); },
                           [](QWidget* screen) {
                               pickEntry(screen, QStringLiteral("cmbitem"), 5);
                               setText(screen, QStringLiteral("txtquantity"), QStringLiteral("10"));
                               setText(screen, QStringLiteral("txtAmount"), QStringLiteral("12.5"));
                           }};
    DocumentScreen voucher{QStringLiteral("Expenditure"), QStringLiteral("mnuExpenditur_Detail"),
                           QStringLiteral("ExpenditureTable"), size.vouchers, size.masterRows, size.masterRows,
                           [&shop](int n) { return QStringList{ceiling::voucherValues(n, shop.size())}; },
                           [](QWidget* screen) {
                               pickEntry(screen, QStringLiteral("cmbitem"), 5);
                               setText(screen, QStringLiteral("txtquantity"), QStringLiteral("125"));
                           },
                           true};
    const auto billLine = [&shop](int bill, int serial) { return ceiling::billLineValues(bill, serial, shop.size()); };
    billOne.lineValues = billTwo.lineValues = billLine;
    billOne.stockMove = billTwo.stockMove = QStringLiteral("Quantity - 2");
    receipt.lineValues = [&shop](int receipt, int serial) {
        return ceiling::receiptLineValues(receipt, serial, shop.size());
    };
    receipt.stockMove = QStringLiteral("Quantity + 10");
    return {billOne, billTwo, receipt, voucher};
}

Group groupOf(const DocumentScreen& kind, Shop& shop, AnsweringMessages& messages, const QString& folder)
{
    const QString name = kind.name;
    const QString table = kind.lineTable;
    const auto screen = [name] { return openScreen(name); };
    const auto ensureOpen = [name, menu = kind.menuEntry] {
        if (!openScreen(name))
            openFromMenu(menu, name);
    };
    const auto list = [screen](const QString& listName) { return control<QComboBox>(screen(), listName); };
    const auto click = [screen](const QString& button) {
        QTest::mouseClick(control<QPushButton>(screen(), button), Qt::LeftButton);
    };
    const auto gridRows = [screen] { return allRows(control<QTableView>(screen(), QStringLiteral("DGG"))); };
    const auto countLines = [&shop, table](int document) {
        return shop.value(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where BillNumber = ")
                          + number(document)).toInt();
    };
    const auto putBack = [&shop, table, lines = kind.lines](int document) {
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where BillNumber = ") + number(document));
        QStringList rows;
        for (const QString& values : lines(document))
            rows << QLatin1Char('(') + values + QLatin1Char(')');
        shop.exec(QStringLiteral("insert into ") + table + QStringLiteral(" values") + rows.join(QLatin1Char(',')));
        shop.restoreStock();
    };

    // The highest document is taken out, so that New has a number to give.
    const int newNumber = kind.documents;
    const int linesOfMiddle = int(kind.lines(kind.documents / 2).size());
    Group group;
    group.title = name;
    group.setUp = [&shop, table, newNumber] {
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where BillNumber = ") + number(newNumber));
    };
    group.tearDown = [name, putBack, newNumber] {
        closeScreen(name);
        putBack(newNumber);
    };

    Operation open{name + QStringLiteral(" opens"), Goal::ScreenOpen};
    open.prepare = [name] { closeScreen(name); };
    open.act = [name, menu = kind.menuEntry] { openFromMenu(menu, name); };
    // The lists as the tables hold them: so many document numbers, and the
    // next number (or, on the voucher screen, the newest voucher) shown.
    const auto listsShow = [list, kind](int numbers, int shown) -> QString {
        if (list(QStringLiteral("cmbbillnumber"))->count() != numbers)
            return QStringLiteral("%1 document numbers").arg(list(QStringLiteral("cmbbillnumber"))->count());
        if (list(QStringLiteral("CMBMEMBERNUM"))->count() != kind.parties)
            return QStringLiteral("%1 parties").arg(list(QStringLiteral("CMBMEMBERNUM"))->count());
        if (list(QStringLiteral("cmbitem"))->count() != kind.items)
            return QStringLiteral("%1 items").arg(list(QStringLiteral("cmbitem"))->count());
        if (list(QStringLiteral("cmbbillnumber"))->currentText() != number(shown))
            return QStringLiteral("number shown ") + list(QStringLiteral("cmbbillnumber"))->currentText();
        return {};
    };
    // The voucher screen ends by recalling the newest voucher.
    open.check = [listsShow, kind, newNumber] {
        return listsShow(kind.documents - 1, kind.voucher ? newNumber - 1 : newNumber);
    };
    group.operations << open;

    // With several tills the lists change between two openings: another
    // till's line on the newest document (and its stock), or its Delete of
    // the newest voucher, committed just before this till opens the screen.
    const int newest = newNumber - 1;
    const int linesOfNewest = int(kind.lines(newest).size());
    Operation openAfterChange{name + QStringLiteral(" opens after another till's change"), Goal::ScreenOpen};
    openAfterChange.prepare = [&shop, name, table, kind, newest, linesOfNewest] {
        closeScreen(name);
        if (kind.voucher) {
            shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where BillNumber = ") + number(newest));
            return;
        }
        const int serial = linesOfNewest + 1;
        shop.exec(QStringLiteral("insert into ") + table + QStringLiteral(" values(") + kind.lineValues(newest, serial)
                  + QLatin1Char(')'));
        shop.exec(QStringLiteral("update Stock set Quantity = %1 where Item = (select Item from %2 where BillNumber = "
                                 "%3 and Serial = %4)")
                      .arg(kind.stockMove, table, number(newest), number(serial)));
    };
    openAfterChange.act = open.act;
    openAfterChange.check = [listsShow, countLines, kind, newNumber, newest, linesOfNewest]() -> QString {
        const int linesNow = countLines(newest);
        if (linesNow != (kind.voucher ? 0 : linesOfNewest + 1))
            return QStringLiteral("the other till's change is not there (%1 lines of %2)").arg(linesNow).arg(newest);
        return kind.voucher ? listsShow(kind.documents - 2, newest - 1) : listsShow(kind.documents - 1, newNumber);
    };
    openAfterChange.restore = [putBack, newest] { putBack(newest); };
    group.operations << openAfterChange;

    Operation fresh{name + QStringLiteral(" New / Refresh"), Goal::Fresh};
    fresh.prepare = ensureOpen;
    fresh.act = [click] { click(QStringLiteral("CmdNewBill")); };
    fresh.check = [list, newNumber]() -> QString {
        const QString shown = list(QStringLiteral("cmbbillnumber"))->currentText();
        return shown == number(newNumber) ? QString() : QStringLiteral("next number ") + shown;
    };
    group.operations << fresh;

    Operation add{name + QStringLiteral(" Add Item")};
    add.prepare = [ensureOpen, click, screen, enter = kind.enterLine] {
        ensureOpen();
        click(QStringLiteral("CmdNewBill"));
        enter(screen());
    };
    add.act = [click] { click(QStringLiteral("CmbAdd")); };
    add.check = [countLines, gridRows, newNumber, kind]() -> QString {
        if (countLines(newNumber) != 1)
            return QStringLiteral("no line stored");
        const int expected = kind.voucher ? kind.documents : 1;
        return gridRows() == expected ? QString() : QStringLiteral("%1 grid rows").arg(gridRows());
    };
    add.restore = [&shop, table, newNumber] {
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where BillNumber = ") + number(newNumber));
        shop.restoreStock();
    };
    group.operations << add;

    // A document from the middle of the list.
    const auto middleIndex = [list] { return list(QStringLiteral("cmbbillnumber"))->count() / 2; };
    Operation load{name + QStringLiteral(" number picked from the list")};
    load.prepare = ensureOpen;
    load.act = [list, middleIndex] { lists::pickAsOperator(list(QStringLiteral("cmbbillnumber")), middleIndex()); };
    load.check = [screen, list, gridRows, kind, linesOfMiddle]() -> QString {
        if (kind.voucher) {
            const auto* view = control<QTableView>(screen(), QStringLiteral("DGG"));
            const QString current = view->currentIndex().siblingAtColumn(0).data().toString();
            return current == list(QStringLiteral("cmbbillnumber"))->currentText()
                ? QString() : QStringLiteral("grid row %1 highlighted").arg(current);
        }
        return gridRows() == linesOfMiddle ? QString() : QStringLiteral("%1 grid rows").arg(gridRows());
    };
    group.operations << load;

    const QString pdf = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    // The voucher screen prints the whole register.
    Operation print{kind.voucher ? name + QStringLiteral(" Print register of every voucher to PDF")
                                 : name + QStringLiteral(" Print to PDF"),
                    kind.voucher ? Goal::Report : Goal::Action};
    print.prepare = [pdf, ensureOpen, list, middleIndex] {
        ensureOpen();
        lists::pickAsOperator(list(QStringLiteral("cmbbillnumber")), middleIndex());
        print::installDestination([pdf] { return print::PrinterDevice::forPdfFile(pdf); });
    };
    print.act = [click] { click(QStringLiteral("CndPrintBill")); };
    print.check = [pdf]() -> QString {
        return QFileInfo(pdf).size() > 1000 ? QString() : QStringLiteral("no PDF file");
    };
    print.restore = [pdf] {
        print::restoreDefaultDestination();
        QFile::remove(pdf);
    };
    group.operations << print;

    // Always the same document, put back after each run.
    const int middle = kind.documents / 2;
    const auto chooseMiddle = [ensureOpen, click, list, &messages, middle] {
        ensureOpen();
        click(QStringLiteral("CmdNewBill"));
        messages.last.clear();
        QComboBox* numbers = list(QStringLiteral("cmbbillnumber"));
        lists::pickAsOperator(numbers, numbers->findText(number(middle)));
    };
    if (!kind.voucher) {
        Operation serial{name + QStringLiteral(" Delete Serial")};
        serial.prepare = chooseMiddle;
        serial.act = [click] { click(QStringLiteral("cmdDelSerial")); };
        serial.check = [countLines, middle, linesOfMiddle]() -> QString {
            return countLines(middle) == linesOfMiddle - 1 ? QString()
                                                           : QStringLiteral("%1 lines left").arg(countLines(middle));
        };
        serial.restore = [putBack, middle] { putBack(middle); };
        group.operations << serial;
    }

    Operation remove{name + QStringLiteral(" Delete")};
    remove.prepare = chooseMiddle;
    remove.act = [click] { click(QStringLiteral("cmdDELET")); };
    remove.check = [&messages, countLines, middle, voucher = kind.voucher]() -> QString {
        if (!voucher && messages.last != QLatin1String("Data Deleted"))
            return messages.last;
        return countLines(middle) == 0 ? QString() : QStringLiteral("document %1 not deleted").arg(middle);
    };
    remove.restore = [putBack, middle] { putBack(middle); };
    group.operations << remove;

    Operation party{name + QStringLiteral(" party number picked")};
    party.prepare = ensureOpen;
    party.act = [list] { lists::pickAsOperator(list(QStringLiteral("CMBMEMBERNUM")), 100); };
    party.check = [screen]() -> QString {
        return control<QLineEdit>(screen(), QStringLiteral("txtname"))->text().isEmpty() ? QStringLiteral("no party")
                                                                                          : QString();
    };
    group.operations << party;

    if (name == QLatin1String("BillTwo")) {
        Operation code{name + QStringLiteral(" item code picked")};
        code.prepare = ensureOpen;
        code.act = [list] { lists::pickAsOperator(list(QStringLiteral("CmbCode")), 100); };
        code.check = [list]() -> QString {
            return list(QStringLiteral("cmbitem"))->currentText().isEmpty() ? QStringLiteral("no item") : QString();
        };
        group.operations << code;
    }
    return group;
}

}  // namespace

QVector<Group> lineDocumentGroups(Shop& shop, AnsweringMessages& messages, const QString& folder)
{
    QVector<Group> groups;
    for (const DocumentScreen& kind : documentScreens(shop))
        groups << groupOf(kind, shop, messages, folder);
    return groups;
}

}  // namespace bench
