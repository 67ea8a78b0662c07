// The item receipt and the batches its lines make and raise; Selling Prices and the MRPs typed there.

#include "kit/Grid.h"
#include "support/ScreenBench.h"

#include <QDateEdit>
#include <QMainWindow>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyleOptionTitleBar>

using namespace rows;
using checks::told;

class StockTest : public QObject, ScreenBench {
    Q_OBJECT

    Operator& openReceipt(const QStringList& rows)
    {
        Operator& op = open(ui::ItemInFrm, rows);
        op.control<QDateEdit>(ui::Date)->setDate(Dec4);
        return op;
    }
    // Batches of two codes and a code that begins like one of them, one priced.
    Operator& openOnBatches()
    {
        return open(ui::SellingPrices, {batchRow(3, "T1", "TEA", "B1", 4, 5), batchRow(1, "C1", "RICE", "B2", 10, 40),
                                        batchRow(2, "C1", "RICE", "B1", 5, 42), batchRow(4, "C10", "RICE", "B1", 1, 40),
                                        "update Stock set MRP = 50 where BillNumber = 1"});
    }
    QStringList prices() { return db.rows("select BillNumber, MRP from Stock order by BillNumber"); }
    // Picks the row and types over its MRP, without Enter; the cell being typed into.
    static QWidget* typeWithoutEnter(QTableView* view, int row, const QString& text)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 1)).center());
        QTest::keyClicks(view, text.left(1));
        QWidget* cell = view->indexWidget(view->currentIndex());
        if (cell)
            QTest::keyClicks(cell, text.mid(1));
        return cell;
    }
    // The stock numbers of the rows that stand out: those without a price.
    QStringList standingOut() const
    {
        QStringList numbers;
        const QAbstractItemModel* rows = op->grid()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            if (rows->index(row, 1).data(Qt::BackgroundRole).isValid())
                numbers << rows->index(row, 0).data().toString();
        return numbers;
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void linesMakeAndRaiseStockBatches()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551"),
                                    party("Supplier", 2, "BHARAT", "2 PORT RD", "5552"), priced("Charges", 1, "TEA", 5),
                                    priced("Charges", 2, "RICE", 40)});
        QCOMPARE(op.number(), QString("1"));
        QCOMPARE(op.entries(ui::Item), QStringList({"RICE", "TEA"}));
        QCOMPARE(op.text(ui::Item), QString());

        op.receiveLine("RICE", "R1", "B1", "10", "40");
        const QString first = "RICE|10|40|0|0|BHARAT|2 PORT RD|5552||-|0|04/Dec/2026|R1|B1|0";
        QCOMPARE(db.rows("select * from ItemIn"), QStringList{"1|1|" + first});
        QCOMPARE(db.rows("select * from Stock"), QStringList{"1|0|" + first});

        op.receiveLine("RICE", "R1", "B2", "5", "42");       // another batch: the next stock row
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        op.receiveLine("RICE", "R1", "B1", "7", "45", "5");  // the same batch: raised, its first values kept
        op.receiveLine("RICE RED", "R1", "B1", "1", "50");   // the same code and batch, another name
        QCOMPARE(db.rows("select BillNumber, Item, Quantity, Amount, CustomerName, Batch_Number from Stock order by BillNumber"),
                 QStringList({"1|RICE|17|40|BHARAT|B1", "2|RICE|5|42|BHARAT|B2", "3|RICE RED|1|50|ACME|B1"}));
        QCOMPARE(op.shown(), QStringList({"1|R1|B1|RICE|10|400|0|0|400|BHARAT|2 PORT RD|5552",
                                          "2|R1|B2|RICE|5|210|0|0|210|BHARAT|2 PORT RD|5552",
                                          "3|R1|B1|RICE|7|315|0|15.75|330.75|ACME|1 MILL RD|5551",
                                          "4|R1|B1|RICE RED|1|50|0|0|50|ACME|1 MILL RD|5551", "= 991"}));
        QCOMPARE(op.entries(ui::Code), QStringList());  // the code is typed, never listed

        // Refresh: the line boxes keep their text, the newest receipt's lines stay in view.
        op.click(ui::NewDocument);
        QVERIFY(op.list(ui::Number)->isEnabled());
        QCOMPARE(op.number() + '|' + op.entries(ui::Number).join(','), QString("2|1"));
        QCOMPARE(op.texts({ui::Code, ui::Batch, ui::Quantity, ui::Amount}), QString("R1|B1|1|50"));
        QCOMPARE(op.party(), QString("BHARAT|2 PORT RD|5552"));
        QCOMPARE(op.gridRows().size(), 4);
        QCOMPARE(op.grandTotal(), QString("0"));

        // With no receipt left to show, Refresh leaves the grid without columns.
        db.exec("delete from ItemIn");
        op.click(ui::NewDocument);
        QCOMPARE(op.grid()->model()->columnCount(), 0);
    }

    // A line put right by deleting it and typing it again gives its batch
    // the values typed again, while nothing was sold from the batch; one
    // sold from keeps its first receipt's.
    void aLineTypedAgainAfterItsDeleteIsItsBatchsFirstReceipt()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551"), priced("Charges", 1, "RICE", 40)});
        const auto batches = [&] { return db.rows("select Batch_Number, Quantity, Amount, TaxInPercentage from Stock order by BillNumber"); };
        const auto typedAgain = [&](const QString& batch, const QString& amount) {
            op.clickGridRow(op.gridRows().size() - 1);
            messages.answers = {true};
            op.click(ui::DeleteSerial);
            op.receiveLine("RICE", "R9", batch, "5", amount, "5");
        };
        op.receiveLine("RICE", "R9", "X1", "5", "399.9");
        typedAgain("X1", "39.99");
        QCOMPARE(batches(), QStringList{"X1|5|39.99|5"});

        op.receiveLine("RICE", "R9", "X2", "5", "100");
        db.exec(line("asigncharges", 1, 1, "RICE", 5, 100, "R9", "X2"));  // sold out: none left, as after the delete
        db.exec("update Stock set Quantity = 0 where Batch_Number = 'X2'");
        typedAgain("X2", "90");
        QCOMPARE(batches(), QStringList({"X1|5|39.99|5", "X2|0|100|0"}));

        // Put right the other way round, the right line typed first and the wrong one deleted after:
        // the batch takes the right line's values, sold from or not, and keeps the stock it has.
        for (const QString& batch : {"X3", "X4"}) {
            op.receiveLine("RICE", "R9", batch, "5", "45");
            op.receiveLine("RICE", "R9", batch, "7", "42", "5");
            if (batch == "X4")
                db.exec(line("asigncharges", 2, 1, "RICE", 1, 45, "R9", "X4"));
            op.clickGridRow(op.gridRows().size() - 2);
            messages.answers = {true};
            op.click(ui::DeleteSerial);
        }
        QCOMPARE(batches().mid(2), QStringList({"X3|7|42|5", "X4|7|42|5"}));

        // Of several lines left, the earliest is the first receipt.
        op.receiveLine("RICE", "R9", "X5", "5", "45");
        op.receiveLine("RICE", "R9", "X5", "5", "42");
        op.receiveLine("RICE", "R9", "X5", "5", "48");
        op.clickGridRow(op.gridRows().size() - 3);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QCOMPARE(batches().last(), QString("X5|10|42|0"));

        // Sold from, though a return took the sale back, or its receipts adding up to none: the
        // batch keeps its first receipt's values when received again.
        op.receiveLine("RICE", "R9", "X6", "5", "100");
        db.exec(line("asigncharges", 3, 1, "RICE", 5, 100, "R9", "X6"));
        db.exec(line("asigncharges", 3, 2, "RICE", -5, 100, "R9", "X6"));
        typedAgain("X6", "90");
        QCOMPARE(batches().last(), QString("X6|5|100|0"));
        op.receiveLine("RICE", "R9", "X7", "10", "100");
        op.receiveLine("RICE", "R9", "X7", "-10", "100");
        op.receiveLine("RICE", "R9", "X7", "3", "90");
        QCOMPARE(batches().last(), QString("X7|3|100|0"));
        // A batch without a day, as older books hold, is received again as any other.
        op.receiveLine("RICE", "R9", "X8", "5", "100");
        db.exec("update Stock set Date_ = NULL where Batch_Number = 'X8'");
        typedAgain("X8", "90");
        QCOMPARE(batches().last(), QString("X8|5|90|5"));
    }

    // Only the delete of a batch's first receipt gives it other values. Receipt
    // 1 is a closed year's opening stock (its first receipt archived); a line
    // added to it later is not RICE's first receipt, though numbered before it.
    void aBatchKeepsItsFirstReceiptWhenLaterLinesAreDeleted()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551"), priced("Charges", 1, "RICE", 40),
                                    priced("Charges", 2, "TEA", 5), batchRow(1, "T1", "TEA", "B1", 30, 100),
                                    line("ItemIn", 1, 1, "TEA", 30, 0, "T1", "B1", "OPENING STOCK")});
        const auto batches = [&] { return db.rows("select ItemCode, Quantity, Amount, CustomerName, Date_ from Stock order by BillNumber"); };
        const auto deleteLastLine = [&] {
            op.clickGridRow(op.gridRows().size() - 1);
            messages.answers = {true};
            op.click(ui::DeleteSerial);
        };
        op.receiveLine("TEA", "T1", "B1", "2", "100");
        deleteLastLine();
        op.receiveLine("RICE", "C1", "X", "10", "10");
        const QStringList first = batches();
        QCOMPARE(first, QStringList({"T1|30|100|SUPPLIER|05/Jan/2026", "C1|10|10|ACME|04/Dec/2026"}));

        QVERIFY(op.pick(ui::Number, "1"));
        op.receiveLine("RICE", "C1", "X", "5", "20");
        op.click(ui::NewDocument);
        op.receiveLine("RICE", "C1", "X", "3", "11");
        deleteLastLine();
        QCOMPARE(batches().last(), QString("C1|15|10|ACME|04/Dec/2026"));
        QVERIFY(op.pick(ui::Number, "1"));
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QCOMPARE(batches(), QStringList({"T1|0|100|SUPPLIER|05/Jan/2026", "C1|10|10|ACME|04/Dec/2026"}));
    }

    // Nothing is stored, and nothing said, without a unit amount or a receipt number.
    void typedEntryIsCompletedOrRefused()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551")});
        op.receiveLine("SUGAR", "", "", "2.5", "30", "abc", "x");
        QCOMPARE(op.texts({ui::Code, ui::Batch, ui::Tax, ui::Discount}), QString("SUGAR|-|0|0"));
        const QString columns = "BillNumber, Serial, ItemCode, Item, Batch_Number, Quantity, TaxInPercentage";
        QCOMPARE(db.rows("select " + columns + " from Stock union all select " + columns + " from ItemIn"),
                 QStringList({"1|0|SUGAR|SUGAR|-|2|0", "1|1|SUGAR|SUGAR|-|2|0"}));

        op.receiveLine("SUGAR", "S1", "B1", "1", "");
        // Figures beyond the largest amount, which would make the line's figures infinite.
        op.receiveLine("SUGAR", "S1", "B1", "1", "1e308");
        op.receiveLine("SUGAR", "S1", "B1", "1", "1", "2e9");
        op.click(ui::NewDocument);
        op.type(ui::Number, "abc");
        op.receiveLine("SUGAR", "S1", "B1", "1", "1");
        QCOMPARE(db.count("ItemIn") + db.count("Stock"), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    // An MRP stored with more decimals by another program (or before figures were rounded) shows
    // as 0 and stands out as unpriced.
    void anMrpShownAsZeroStandsOut()
    {
        open(ui::SellingPrices, {batchRow(1, "C1", "RICE", "B1", 5, 40), batchRow(2, "C2", "TEA", "B1", 5, 40),
                                 "update Stock set MRP = 0.0000001 where BillNumber = 1",
                                 "update Stock set MRP = 0.000001 where BillNumber = 2"});
        QCOMPARE(op->gridRows(), QStringList({"1|C1|RICE|B1|5|40|0", "2|C2|TEA|B1|5|40|0.000001"}));
        QCOMPARE(standingOut(), QStringList{"1"});
    }

    // Found by code or name as typed; a price refused is told and the stored one stays.
    void anMrpTypedOverIsStoredForItsBatchAlone()
    {
        openOnBatches();
        QCOMPARE(op->gridRows(), QStringList({"2|C1|RICE|B1|5|42|0", "1|C1|RICE|B2|10|40|50", "4|C10|RICE|B1|1|40|0",
                                              "3|T1|TEA|B1|4|5|0"}));
        QCOMPARE(standingOut(), QStringList({"2", "4", "3"}));
        QTest::keyClicks(op->box(ui::Find), "te");
        QCOMPARE(op->gridRows(), QStringList{"3|T1|TEA|B1|4|5|0"});
        op->type(ui::Find, "c1");
        QCOMPARE(op->gridRows().size(), 3);

        // Stored; and the operator learns that the simple bill goes on selling RICE at its first batch's 50.
        op->typeInGrid(0, "12.5");
        QCOMPARE(told(messages), QStringList{"i Info: Stored. The simple bill prices RICE at the MRP of its first batch, stock number 1 "
                                             "of item code C1, which is 50: set that batch's MRP as well."});
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|0"}));
        QCOMPARE(op->gridRows().first(), QString("2|C1|RICE|B1|5|42|12.5"));
        QCOMPARE(standingOut(), QStringList{"4"});

        messages.clear();
        op->typeInGrid(0, "abc");
        op->typeInGrid(0, "-3");
        op->typeInGrid(0, "1e400");
        op->typeInGrid(0, "1e308");  // a line at this price would be infinite
        QCOMPARE(told(messages), QStringList({"i Info: Not stored: the price 'ABC' is not a number; the MRP stays 12.5.",
                                              "i Info: Not stored: the price -3 is below zero; the MRP stays 12.5.",
                                              "i Info: Not stored: the price 1E400 is too large; the MRP stays 12.5.",
                                              "i Info: Not stored: the price 1E308 is too large; the MRP stays 12.5."}));
        QCOMPARE(op->gridRows().first(), QString("2|C1|RICE|B1|5|42|12.5"));
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|0"}));

        // The first batch itself, or the first batch's price: nothing more to say.
        op->type(ui::Find, "");
        messages.clear();
        op->typeInGrid(1, "50");
        op->typeInGrid(0, "50");
        op->typeInGrid(0, "50.0000001");  // stored as the 50 it rounds to
        QCOMPARE(told(messages), QStringList());
        QCOMPARE(prices(), QStringList({"1|50", "2|50", "3|0", "4|0"}));
        op->typeInGrid(0, "0.0000004");  // stored as 0: no price, and it stands out as such
        QCOMPARE(prices().at(1), QString("2|0"));
        QVERIFY(standingOut().contains("2"));
        op->typeInGrid(0, "12.5");
        op->type(ui::Find, "c1");

        // Stock number 2 given to another batch since (a restore, then a receipt): its price stays.
        db.exec("update Stock set ItemCode = 'S9', Item = 'SUGAR' where BillNumber = 2");
        messages.clear();
        op->typeInGrid(0, "99");
        QCOMPARE(told(messages), QStringList{"i Info: Stock batch 2 is no longer there: nothing was changed."});
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|0"}));

        // A batch without a batch number (foreign data) is still the batch shown.
        db.exec("update Stock set Batch_Number = NULL where BillNumber = 4");
        QCoreApplication::processEvents();  // the refused row's screen refilled, as once the operator looks up
        op->type(ui::Find, "c10");
        op->typeInGrid(0, "7");
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|7"}));

        // Another till or program prices a batch meanwhile: the next price stored shows it too.
        op->type(ui::Find, "");
        db.exec("update Stock set MRP = 45 where BillNumber = 3");
        op->typeInGrid(0, "8");
        QCoreApplication::processEvents();  // read again once the typing has ended
        QCOMPARE(op->gridRows().first() + ',' + op->gridRows().last(), QString("1|C1|RICE|B2|10|40|8,3|T1|TEA|B1|4|5|45"));
        QCOMPARE(grid::currentText(op->grid(), 0), QString("1"));

        // With a note shown (its box runs the events), the grid is read again once the typing has ended.
        messages.whileInformed = [] { QCoreApplication::processEvents(); };
        db.exec("update Stock set MRP = 46 where BillNumber = 3");
        op->typeInGrid(1, "9");
        messages.whileInformed = {};
        QCoreApplication::processEvents();
        QVERIFY2(told(messages).last().contains("prices RICE at the MRP of its first batch, stock number 1"), qPrintable(told(messages).join('\n')));
        QCOMPARE(op->gridRows().value(1) + ',' + op->gridRows().last(), QString("4|C10|RICE||1|40|9,3|T1|TEA|B1|4|5|46"));
    }

    // A price the database refuses as it commits is no price stored: nothing says "Stored", and the
    // row keeps the MRP that is stored (it showed the typed one, and the next bills sold at the old).
    void aPriceRefusedAtItsCommitIsNotShownAsStored()
    {
        if (!TestDatabase::onServer())
            QSKIP("a check the server makes at the commit");
        openOnBatches();
        db.exec("create function refuse_at_commit() returns trigger language plpgsql as "
                "$$ begin raise exception 'refused at the commit'; end $$");
        db.exec("create constraint trigger refuse_mrp after update on Stock deferrable initially deferred "
                "for each row execute function refuse_at_commit()");
        const auto dropped = qScopeGuard([this] {
            db.exec("drop trigger refuse_mrp on Stock");
            db.exec("drop function refuse_at_commit()");
        });
        messages.clear();
        op->typeInGrid(0, "55");
        QCoreApplication::processEvents();
        QVERIFY2(told(messages).filter("Stored").isEmpty(), qPrintable(told(messages).join('\n')));
        QCOMPARE(prices(), QStringList({"1|50", "2|0", "3|0", "4|0"}));
        QCOMPARE(op->gridRows().first(), QString("2|C1|RICE|B1|5|42|0"));
    }

    // The text typed is found as it stands: '%', '_' and '\\' are characters of a code or name.
    void everyTypedCharacterIsFoundAsItStands()
    {
        open(ui::SellingPrices, {batchRow(1, "A_B", "TEA", "B1", 1, 5), batchRow(2, "AXB", "TEA", "B1", 1, 5),
                                 batchRow(3, "C1", "50% OFF", "B1", 1, 5), batchRow(4, "BK\\1", "RICE", "B1", 1, 5)});
        const auto found = [&](const QString& typed) {
            op->type(ui::Find, typed);
            QStringList numbers;
            for (const QString& row : op->gridRows())
                numbers << row.section('|', 0, 0);
            return numbers.join(',');
        };
        QCOMPARE(found("_"), QString("1"));
        QCOMPARE(found("a_b"), QString("1"));
        QCOMPARE(found("%"), QString("3"));
        QCOMPARE(found("\\"), QString("4"));
        QCOMPARE(found("K\\1"), QString("4"));
        QCOMPARE(found("b"), QString("1,2,4"));
    }

    // Only Enter stores a typed MRP: Esc puts the stored one back and keeps the screen open, and a
    // screen closed while an MRP is being typed stores nothing and says nothing.
    void anMrpTypedButNotEnteredIsDropped()
    {
        openOnBatches();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        QStringList before = prices();
        QTableView* view = op->grid();
        QWidget* cell = typeWithoutEnter(view, 1, "75");
        QVERIFY(cell);
        QTest::keyClick(cell, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen && screen->isVisible());
        QVERIFY(!view->indexWidget(view->currentIndex()));
        QCOMPARE(op->gridRows().at(1), QString("1|C1|RICE|B2|10|40|50"));
        QCOMPARE(prices(), before);
        QVERIFY(typeWithoutEnter(view, 0, "-5"));  // a refused price is not told either
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(op->gridRows().at(0), QString("2|C1|RICE|B1|5|42|0"));
        QVERIFY(messages.shown.isEmpty());
        QTest::keyClick(view, Qt::Key_Escape);  // with no cell open, Esc closes
        QTRY_VERIFY(screen.isNull());

        // In the main window: the screen's close box, then the main window closed.
        QMainWindow main;
        auto* area = new QMdiArea;
        main.setCentralWidget(area);
        main.resize(1400, 1000);
        main.show();
        const auto openInMain = [&] {
            QMdiSubWindow* child = area->addSubWindow(catalog::createScreen(ui::SellingPrices, nullptr));
            child->resize(child->sizeHint());
            child->show();
            area->setActiveSubWindow(child);
            return child;
        };
        QPointer<QMdiSubWindow> child = openInMain();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QVERIFY(typeWithoutEnter(child->findChild<QTableView*>(ui::Grid), 1, "75"));
        QStyleOptionTitleBar titleBar;
        titleBar.initFrom(child);
        titleBar.rect = QRect(0, 0, child->width(), child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child));
        titleBar.titleBarFlags = child->windowFlags();
        const QPoint closeBox =
            child->style()->subControlRect(QStyle::CC_TitleBar, &titleBar, QStyle::SC_TitleBarCloseButton, child).center();
        QTest::mouseMove(child, closeBox);
        QTest::mouseClick(child, Qt::LeftButton, {}, closeBox);
        QTRY_VERIFY(child.isNull());
        QCOMPARE(prices(), before);

        // Another screen brought forward (Ctrl+Tab, its menu entry) leaves the
        // typing open and unstored; back on the prices, Enter stores it.
        child = openInMain();
        QMdiSubWindow* other = area->addSubWindow(catalog::createScreen(ui::StockQuery, nullptr));
        other->show();
        auto* grid = child->findChild<QTableView*>(ui::Grid);
        QVERIFY(typeWithoutEnter(grid, 1, "75"));
        area->setActiveSubWindow(other);
        QTRY_VERIFY(other->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(prices(), before);
        area->setActiveSubWindow(child);
        QWidget* typing = grid->indexWidget(grid->currentIndex());
        QVERIFY(typing);
        QTest::keyClick(typing, Qt::Key_Return);
        QTRY_COMPARE(prices().at(0), QString("1|75"));
        // A price stored with a note: the note's box has the focus while the cell closes. Back in the
        // main window, the prices are still in front, the focus on their grid for the next price.
        QLineEdit box;
        box.show();
        messages.whileInformed = [&] { QApplication::setActiveWindow(&box); box.setFocus(); };
        typing = typeWithoutEnter(grid, 0, "44");
        QVERIFY(typing);
        QTest::keyClick(typing, Qt::Key_Return);
        QTRY_COMPARE(prices().at(1), QString("2|44"));
        messages.whileInformed = {};
        box.hide();
        QApplication::setActiveWindow(&main);
        QTRY_COMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(area->activeSubWindow(), child.data());
        messages.shown.clear();
        before = prices();
        other->close();
        child->close();
        QTRY_VERIFY(child.isNull());

        child = openInMain();
        QVERIFY(typeWithoutEnter(child->findChild<QTableView*>(ui::Grid), 0, "-5"));
        main.close();
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(prices(), before);
    }

    // As billdb mrp --code does; the row stays highlighted.
    void oneMrpForEveryBatchOfTheCode()
    {
        openOnBatches();
        op->clickGridRow(1);
        op->type(ui::CodeMrp, "60");
        op->click(ui::SetCodeMrp);
        QCOMPARE(told(messages), QStringList{"i Info: The MRP of 2 batches of item code C1 is now 60."});
        QCOMPARE(prices(), QStringList({"1|60", "2|60", "3|0", "4|0"}));
        QCOMPARE(op->gridRows().mid(0, 2), QStringList({"2|C1|RICE|B1|5|42|60", "1|C1|RICE|B2|10|40|60"}));
        QCOMPARE(grid::currentText(op->grid(), 0), QString("1"));

        // Another code's batch of the same item: the simple bill still prices RICE at stock number 1.
        messages.clear();
        op->clickGridRow(2);
        op->type(ui::CodeMrp, "45");
        QTest::keyClick(op->box(ui::CodeMrp), Qt::Key_Return);  // Enter in the box sets it, as the button does
        QCOMPARE(told(messages), QStringList{"i Info: The MRP of 1 batch of item code C10 is now 45. The simple bill prices "
                                             "RICE at the MRP of its first batch, stock number 1 of item code C1, which is "
                                             "60: set that batch's MRP as well."});
    }

    // A code scanned whole picks its own batch before the codes that hold it,
    // and after its price is set the next scan searches again.
    void aScannedCodeIsPricedAndTheNextScanSearchesAgain()
    {
        openOnBatches();
        db.exec(batchRow(5, "AC1", "SALT", "B1", 3, 10));
        op->type(ui::Find, "C1");
        QCOMPARE(grid::currentText(op->grid(), 1), QString("C1"));
        op->type(ui::CodeMrp, "60");
        QTest::keyClick(op->box(ui::CodeMrp), Qt::Key_Return);
        QCOMPARE(told(messages), QStringList{"i Info: The MRP of 2 batches of item code C1 is now 60."});
        QCOMPARE(prices(), QStringList({"1|60", "2|60", "3|0", "4|0", "5|0"}));

        QCOMPARE(op->box(ui::CodeMrp)->text(), QString());
        QWidget* focused = op->box(ui::Find)->window()->focusWidget();
        QCOMPARE(focused, op->box(ui::Find));
        QTest::keyClicks(focused, "T1");
        QCOMPARE(op->box(ui::Find)->text(), QString("T1"));
        QCOMPARE(grid::currentText(op->grid(), 1), QString("T1"));
    }
};

QTEST_MAIN(StockTest)
#include "tst_stock.moc"
