// The expenditure voucher screen driven as the operator drives it, against a
// real database behind the data source, and its printed register read back.

#include "expenditure/Expenditure.h"
#include "kit/Dates.h"
#include "kit/Grid.h"
#include "support/ScreenBench.h"

#include <QDateEdit>
#include <QtTest>

using namespace billingtest;
using checks::told;

namespace {
QString voucherRow(int number, const QString& head, double amount, const QString& name = "RAMU",
                   const QDate& date = QDate(2026, 12, 4))
{
    return QStringLiteral("insert into ExpenditureTable values(%1,0,%2,0,%3,0,0,%4,'1 MILL RD','5551','PAID','-',0,%5,'-','-')")
        .arg(number).arg(sql::text(head), sql::number(amount), sql::text(name), sql::date(date));
}
QString registerLine(const QString& number, const QString& head, const QString& amount)
{
    return checks::placed({{1, number}, {6, head}, {39, amount}, {46, "04/Dec/2026"}});
}
QStringList expectedRegister(const QStringList& lines, const QString& total)
{
    return ShopHeader + QStringList{checks::placed({{1, "No"}, {6, "Head"}, {39, "Amt"}, {46, "Date"}}), Rule} + lines
        + QStringList{Rule, grandTotal(total), Rule, "Software Designed By :", maker::Name, "Email : " + maker::EMail,
                      "Website : " + maker::WebAddress, Rule};
}
}  // namespace

class ExpenditureTest : public QObject, ScreenBench<Expenditure> {
    Q_OBJECT

    QString boxes() const
    {
        return op->list("cmbitem")->currentText() + '|' + op->box("txtquantity")->text() + '|' + op->party() + '|'
            + op->box("txtRemark")->text() + '|' + dates::shown(op->control<QDateEdit>("DTP")->date());
    }
    void addVoucher(const QString& head, const QString& amount)
    {
        op->typeIn(op->list("cmbitem"), head);
        op->type("txtquantity", amount);
        op->click("CmbAdd");
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void eachAddStoresOneVoucherUnderTheNextNumber()
    {
        BillOperator& op = open({"insert into ExpenditureHead values(1,'RENT',0,'-',0), (2,'POWER',0,'-',0)",
                                 partyRow("ExpenditurePerson", 1, "ANIL", "1 MG ROAD", "98450"),
                                 partyRow("ExpenditurePerson", 2, "BINA", "5 LAKE VIEW", "77712")});
        QCOMPARE(checks::entries(op.list("cmbitem")), QStringList({"POWER", "RENT"}));
        QCOMPARE(op.list("cmbitem")->currentText() + op.billNumber() + "|" + op.grandTotal(), QString("|0"));
        QCOMPARE(op.party(), QString("BINA|5 LAKE VIEW|77712"));  // the highest personnel number

        op.control<QDateEdit>("DTP")->setDate(QDate(2026, 12, 4));
        op.type("txtRemark", "june");
        op.type("txttax", "15");  // the boxes take nothing: a voucher has no tax or discount
        op.type("txtDiscount", "5");
        QVERIFY(!op.box("txttax")->isEnabled() && !op.box("txtDiscount")->isEnabled());
        QVERIFY(op.pick("cmbitem", "RENT"));
        op.type("txtquantity", "1500");
        op.click("CmbAdd");
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        addVoucher("tea break", "12.5");  // a head not in the list, stored as typed
        QCOMPARE(db.rows("select * from ExpenditureTable order by BillNumber"),
                 QStringList({"1|0|RENT|0|1500|0|0|BINA|5 LAKE VIEW|77712|JUNE|-|0|04/Dec/2026|-|-",
                              "2|0|TEA BREAK|0|12.5|0|0|ANIL|1 MG ROAD|98450|JUNE|-|0|04/Dec/2026|-|-"}));
        QCOMPARE(op.shown(), QStringList({"2|04/Dec/2026|TEA BREAK|12.5|98450|ANIL|1 MG ROAD",
                                          "1|04/Dec/2026|RENT|1500|77712|BINA|5 LAKE VIEW", "= 1512.5"}));
        QCOMPARE(op.billNumber() + op.box("txttax")->text() + op.box("txtDiscount")->text(), QString("200"));

        // An empty head or a non-numeric amount stores nothing and says nothing.
        for (const QStringList& entry : QList<QStringList>{{"", "10"}, {"RENT", "x"}, {"RENT", ""}})
            addVoucher(entry[0], entry[1]);
        QCOMPARE(db.count("ExpenditureTable"), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    void choosingANumberRecallsItsVoucher()
    {
        BillOperator& op = open({voucherRow(1, "RENT", 1500, "ANIL", QDate(2026, 4, 12)), voucherRow(2, "POWER", 40.25)});
        QCOMPARE(boxes(), QString("POWER|40.25|RAMU|1 MILL RD|5551|PAID|04/Dec/2026"));  // the newest, date and all
        QCOMPARE(checks::entries(op.list("cmbbillnumber")), QStringList({"2", "1"}));

        QVERIFY(op.pick("cmbbillnumber", "1"));
        QCOMPARE(boxes() + '|' + op.grandTotal(), QString("RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026|1540.25"));
        QCOMPARE(grid::currentText(op.grid(), 0), QString("1"));  // the grid's current row follows
        op.clickGridRow(0);  // writes its number, recalls nothing
        QCOMPARE(op.billNumber() + '|' + boxes(), QString("2|RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026"));
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber() + '|' + op.grandTotal() + '|' + QString::number(op.gridRows().size()), QString("3|0|2"));
    }

    void deletingAVoucher()
    {
        BillOperator& op = open({voucherRow(1, "RENT", 1500), voucherRow(2, "POWER", 40), voucherRow(3, "TEA", 5)});
        op.click("cmdDELET");  // answered No
        messages.answers = {true};
        op.click("cmdDELET");
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete ?", "? Delete: Confirm Delete ?"}));
        QCOMPARE(op.billNumber() + '|' + op.grandTotal(), QString("2|1540"));
        addVoucher("TEA", "6");  // the deleted newest number is used again
        QCOMPARE(db.rows("select BillNumber, Amount from ExpenditureTable order by BillNumber"),
                 QStringList({"1|1500", "2|40", "3|6"}));

        op.clickGridRow(2);  // Delete Serial deletes the voucher of the grid's current row
        messages.answers = {true, true, true};
        op.click("cmdDelSerial");
        QCOMPARE(db.rows("select BillNumber from ExpenditureTable order by BillNumber"), QStringList({"2", "3"}));
        op.click("cmdDELET");
        op.click("cmdDELET");
        QCOMPARE(QString::number(op.gridRows().size()) + '|' + op.grandTotal(), QString("0|0"));  // no vouchers left
    }

    void vouchersEndAtTheHighestNumber()
    {
        BillOperator& op = open({voucherRow(32767, "RENT", 10)});
        op.click("CmdNewBill");
        addVoucher("RENT", "5");
        const QString usedUp = "i Information: Voucher numbers are used up: the highest voucher number is 32767.";
        QCOMPARE(checks::firstParagraphs(told(messages)), QStringList({usedUp, usedUp, usedUp}));  // opening, New Bill, Add
        QCOMPARE(db.count("ExpenditureTable"), 1);
    }

    void theRegisterPrintsEveryVoucherInAscendingNumber()
    {
        BillOperator& op = open({voucherRow(2, "POWER", 40.5), voucherRow(1, "RENT", 1500), voucherRow(3, "TEA", -5)});
        QVERIFY(op.pick("cmbbillnumber", "1"));  // whichever voucher is shown
        QTest::keyClick(op.box("txtRemark"), Qt::Key_Return);
        QCOMPARE(printed->allLines(), expectedRegister({registerLine(" 1", "RENT", " 1500"),
                                                        registerLine(" 2", "POWER", " 40.5"),
                                                        registerLine(" 3", "TEA", "-5")}, "1536.00"));
        op.typeIn(op.list("cmbbillnumber"), "x");  // no number in the box: nothing printed
        op.click("CndPrintBill");
        QCOMPARE(printed->finishedJobs(), 1);

        // No vouchers print no lines and 0.00 (the sum rounds as every report's grand total).
        db.exec("delete from ExpenditureTable");
        op.click("CmdNewBill");
        printed->clear();
        op.click("CndPrintBill");
        QCOMPARE(printed->allLines(), expectedRegister({}, "0.00"));
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(ExpenditureTest)
#include "tst_expenditure.moc"
