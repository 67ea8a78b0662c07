// The query screens (bill query and totals, receipt, stock and expenditure
// queries): open, each Show over up to the whole table to its first rows
// shown, Show Total, the printed reports to a PDF file, and every bill line
// saved from the grid as a CSV file.

#include "Runner.h"
#include "Shop.h"
#include "kit/FileDialogs.h"
#include "print/Destination.h"
#include "print/PrinterDevice.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace bench {

namespace {

// The selections an operation makes before it presses its button.
struct Choice {
    QString from;  // CmbFrom and cmbTo, when set
    QString to;
    bool everyDay = false;  // DTP1 and DTP2 around every stored date
    QString list;  // cmbhead or cmbname, when set
    QString text;

    static Choice numbers(const QString& from, int to) { return {from, QString::number(to), false, {}, {}}; }
    static Choice days() { return {{}, {}, true, {}, {}}; }
    static Choice listed(const QString& list, const QString& text) { return {{}, {}, false, list, text}; }
    static Choice nothing() { return {}; }
};

struct QueryAction {
    QString name;
    Goal goal;
    QString button;
    Choice choice;
    // Show: the statement counting the rows the grid must end with.
    QString expectedRows = {};
};

struct QueryScreenRuns {
    QString name;
    QString menuEntry;
    QVector<QueryAction> actions;
};

void choose(QWidget* screen, const Choice& choice)
{
    if (!choice.from.isEmpty()) {
        control<QComboBox>(screen, QStringLiteral("CmbFrom"))->setEditText(choice.from);
        control<QComboBox>(screen, QStringLiteral("cmbTo"))->setEditText(choice.to);
    }
    if (choice.everyDay) {
        control<QDateEdit>(screen, QStringLiteral("DTP1"))->setDate(QDate(2000, 1, 1));
        control<QDateEdit>(screen, QStringLiteral("DTP2"))->setDate(QDate(2030, 12, 31));
    }
    if (!choice.list.isEmpty())
        control<QComboBox>(screen, choice.list)->setEditText(choice.text);
}

QVector<QueryScreenRuns> queryScreens(Shop& shop)
{
    const ceiling::Size& size = shop.size();
    const auto textOf = [&shop](const QString& query) { return shop.value(query).toString(); };
    const QString receiptCode = textOf(QStringLiteral("select ItemCode from ItemIn where BillNumber = 100"));
    const QString voucherHead = textOf(QStringLiteral("select Item from ExpenditureTable where BillNumber = 100"));
    const QString stockCode = textOf(QStringLiteral("select ItemCode from Stock where BillNumber = 100"));
    const QString stockItem = textOf(QStringLiteral("select Item from Stock where BillNumber = 100"));
    const Choice everyBill = Choice::numbers(QStringLiteral("1"), size.bills);
    const Choice everyDay = Choice::days();
    const QString head = QStringLiteral("cmbhead");

    QueryScreenRuns bills{QStringLiteral("PrintAll"), QStringLiteral("mnuBill"), {}};
    bills.actions
        << QueryAction{QStringLiteral("Show by number, every bill"), Goal::FirstRows, QStringLiteral("CmdShow"),
                       everyBill, QStringLiteral("select count(*) from asigncharges")}
        << QueryAction{QStringLiteral("Show by date, every day"), Goal::FirstRows, QStringLiteral("Cnddate"),
                       everyDay, QStringLiteral("select count(*) from asigncharges")}
        << QueryAction{QStringLiteral("Show Total, every bill"), Goal::Totals, QStringLiteral("ComShowTotal"),
                       everyDay, QStringLiteral("select count(distinct BillNumber) from asigncharges")}
        << QueryAction{QStringLiteral("Print Total, every bill, to PDF"), Goal::Report,
                       QStringLiteral("ComPrintTotal"), everyDay}
        << QueryAction{QStringLiteral("bills 1-1000 printed to PDF"), Goal::Report, QStringLiteral("cmdprin"),
                       Choice::numbers(QStringLiteral("1"), 1000)};

    const Choice everyReceipt = Choice::numbers(QStringLiteral("1"), size.receipts());
    const Choice code = Choice::listed(head, receiptCode);
    const QString byCode = QStringLiteral("select count(*) from ItemIn where ItemCode = '%1'").arg(receiptCode);
    QueryScreenRuns receipts{QStringLiteral("ReceiveItemQuery"), QStringLiteral("mnuItemReceiveQuery"), {}};
    receipts.actions
        << QueryAction{QStringLiteral("Show by number, every receipt"), Goal::FirstRows, QStringLiteral("CmdShow"),
                       everyReceipt, QStringLiteral("select count(*) from ItemIn")}
        << QueryAction{QStringLiteral("Show by date, every day"), Goal::FirstRows, QStringLiteral("Cnddate"),
                       everyDay, QStringLiteral("select count(*) from ItemIn")}
        << QueryAction{QStringLiteral("Show by code"), Goal::FirstRows, QStringLiteral("ComShowTotal"), code, byCode}
        << QueryAction{QStringLiteral("Print by number, every receipt, to PDF"), Goal::Report,
                       QStringLiteral("cmdprin"), everyReceipt}
        << QueryAction{QStringLiteral("Print by code to PDF"), Goal::Report, QStringLiteral("ComPrintTotal"), code};

    QueryScreenRuns stock{QStringLiteral("StockQuery"), QStringLiteral("mnuStockQuery"), {}};
    stock.actions
        << QueryAction{QStringLiteral("Show All"), Goal::FirstRows, QStringLiteral("cmdAll"), Choice::nothing(),
                       QStringLiteral("select count(*) from Stock")}
        << QueryAction{QStringLiteral("Show by code"), Goal::FirstRows, QStringLiteral("ComShowTotal"),
                       Choice::listed(head, stockCode),
                       QStringLiteral("select count(*) from Stock where ItemCode = '%1'").arg(stockCode)}
        << QueryAction{QStringLiteral("Show by name"), Goal::FirstRows, QStringLiteral("cmdName"),
                       Choice::listed(QStringLiteral("cmbname"), stockItem),
                       QStringLiteral("select count(*) from Stock where Item = '%1'").arg(stockItem)}
        << QueryAction{QStringLiteral("Print All to PDF"), Goal::Report, QStringLiteral("cmdprintall"), Choice::nothing()}
        << QueryAction{QStringLiteral("Print by code to PDF"), Goal::Report, QStringLiteral("ComPrintTotal"),
                       Choice::listed(head, stockCode)};

    const Choice everyVoucher = Choice::numbers(QStringLiteral("1"), size.vouchers);
    const Choice byHead = Choice::listed(head, voucherHead);
    QueryScreenRuns vouchers{QStringLiteral("ExpenditureQuery"), QStringLiteral("mnuExpenditureQuery"), {}};
    vouchers.actions
        << QueryAction{QStringLiteral("Show by number, every voucher"), Goal::FirstRows, QStringLiteral("CmdShow"),
                       everyVoucher, QStringLiteral("select count(*) from ExpenditureTable")}
        << QueryAction{QStringLiteral("Show by date, every day"), Goal::FirstRows, QStringLiteral("Cnddate"),
                       everyDay, QStringLiteral("select count(*) from ExpenditureTable")}
        << QueryAction{QStringLiteral("Show by head"), Goal::FirstRows, QStringLiteral("ComShowTotal"), byHead,
                       QStringLiteral("select count(*) from ExpenditureTable where Item = '%1'").arg(voucherHead)}
        << QueryAction{QStringLiteral("Print by number, every voucher, to PDF"), Goal::Report,
                       QStringLiteral("cmdprin"), everyVoucher}
        << QueryAction{QStringLiteral("Print by head to PDF"), Goal::Report, QStringLiteral("ComPrintTotal"), byHead};
    return {bills, receipts, stock, vouchers};
}

Group groupOf(const QueryScreenRuns& runs, Shop& shop, const QString& folder)
{
    const QString name = runs.name;
    const auto screen = [name] { return openScreen(name); };
    const auto ensureOpen = [name, menu = runs.menuEntry] {
        if (!openScreen(name))
            openFromMenu(menu, name);
    };

    Group group;
    group.title = name;
    group.tearDown = [name] { closeScreen(name); };

    Operation open{name + QStringLiteral(" opens"), Goal::ScreenOpen};
    open.prepare = [name] { closeScreen(name); };
    open.act = [name, menu = runs.menuEntry] { openFromMenu(menu, name); };
    open.check = [screen]() -> QString {
        // Every list of the screen offers something.
        for (const QComboBox* list : screen()->findChildren<QComboBox*>())
            if (list->count() == 0)
                return list->objectName() + QStringLiteral(" empty");
        return {};
    };
    group.operations << open;

    const QString pdf = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    for (const QueryAction& action : runs.actions) {
        Operation run{name + QLatin1Char(' ') + action.name, action.goal};
        const bool prints = action.expectedRows.isEmpty();
        run.prepare = [screen, ensureOpen, action, prints, pdf] {
            ensureOpen();
            choose(screen(), action.choice);
            if (prints)
                print::installDestination([pdf] { return print::PrinterDevice::forPdfFile(pdf); });
        };
        run.act = [screen, button = action.button] {
            QTest::mouseClick(control<QPushButton>(screen(), button), Qt::LeftButton);
        };
        if (prints) {
            run.check = [pdf]() -> QString {
                return QFileInfo(pdf).size() > 1000 ? QString() : QStringLiteral("no PDF file");
            };
            run.restore = [pdf] {
                print::restoreDefaultDestination();
                QFile::remove(pdf);
            };
        } else {
            // Every row can be scrolled to; the timing ends with the first shown.
            run.check = [screen, &shop, expected = action.expectedRows]() -> QString {
                const int wanted = shop.value(expected).toInt();
                const int rows = allRows(control<QTableView>(screen(), QStringLiteral("DGG")));
                return rows == wanted && rows > 0 ? QString() : QStringLiteral("%1 rows, not %2").arg(rows).arg(wanted);
            };
        }
        group.operations << run;
    }
    return group;
}

// The save dialog answered with one file.
class AnsweredDialog : public FileDialogs {
public:
    explicit AnsweredDialog(QString path) : m_path(std::move(path)) {}
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_path; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

// Show over every bill (not timed), then "Save as CSV..." from the grid's
// menu: the rest of the result read and every line written.
Operation saveEveryBillLine(Shop& shop, const QString& folder)
{
    const QString name = QStringLiteral("PrintAll");
    const auto screen = [name] { return openScreen(name); };
    const auto grid = [screen] { return control<QTableView>(screen(), QStringLiteral("DGG")); };
    const QString file = QDir(folder).filePath(QStringLiteral("lines.csv"));
    auto dialog = std::make_shared<AnsweredDialog>(file);

    Operation save{name + QStringLiteral(" Save as CSV, every bill line"), Goal::Report};
    save.prepare = [screen, name, dialog, bills = shop.size().bills] {
        if (!screen())
            openFromMenu(QStringLiteral("mnuBill"), name);
        choose(screen(), Choice::numbers(QStringLiteral("1"), bills));
        QTest::mouseClick(control<QPushButton>(screen(), QStringLiteral("CmdShow")), Qt::LeftButton);
        settle();
        FileDialogs::install(dialog.get());
    };
    save.act = [grid] {
        for (QAction* action : grid()->actions())
            if (action->text() == QStringLiteral("Save as CSV..."))
                action->trigger();
    };
    save.check = [file, &shop]() -> QString {
        QFile saved(file);
        const qint64 lines = saved.open(QIODevice::ReadOnly) ? saved.readAll().count("\r\n") : 0;
        const int wanted = shop.value(QStringLiteral("select count(*) from asigncharges")).toInt() + 1;
        return lines == wanted ? QString() : QStringLiteral("%1 lines, not %2").arg(lines).arg(wanted);
    };
    save.restore = [file] {
        FileDialogs::install(nullptr);
        QFile::remove(file);
    };
    return save;
}

// What Show Total is measured against: the lines grouped by bill, one sum
// and the first date each, every row read.
Operation plainGrouping(Shop& shop)
{
    Operation plain{QStringLiteral("plain grouping of every bill line by bill"), Goal::Baseline};
    plain.act = [&shop] {
        shop.rows(QStringLiteral("select BillNumber, sum(Amount*Quantity), min(Date_) from asigncharges group by BillNumber"));
    };
    return plain;
}

}  // namespace

QVector<Group> queryGroups(Shop& shop, const QString& folder)
{
    QVector<Group> groups;
    for (const QueryScreenRuns& runs : queryScreens(shop))
        groups << groupOf(runs, shop, folder);
    groups.first().operations << saveEveryBillLine(shop, folder) << plainGrouping(shop);
    return groups;
}

}  // namespace bench
