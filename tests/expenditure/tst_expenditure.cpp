// The expenditure voucher screen driven as the operator drives it, and its
// printed register read back. What it shares with the other line
// documents: tst_documents.

#include "core/Dates.h"
#include "support/ScreenBench.h"

#include <QDateEdit>

using namespace rows;
using checks::placed;

namespace {
QString registerLine(const QString& number, const QString& head, const QString& amount)
{
    return placed({{1, number}, {6, head}, {39, amount}, {46, "04/Dec/2026"}});
}
QStringList expectedRegister(const QStringList& lines, const QString& total)
{
    return checks::Letterhead + QStringList{placed({{1, "No"}, {6, "Head"}, {39, "Amt"}, {46, "Date"}}), checks::Rule}
        + lines
        + QStringList{checks::Rule, checks::grandTotal(total), checks::Rule, "Software Designed By :", maker::Name,
                      "Email : " + maker::EMail, "Website : " + maker::WebAddress, checks::Rule};
}
const QStringList VoucherBoxes{ui::Item, ui::Quantity, ui::PartyName, ui::Address, ui::Phone, ui::Remark};
}  // namespace

class ExpenditureTest : public QObject, ScreenBench {
    Q_OBJECT

    QString boxes() const
    {
        return op->texts(VoucherBoxes) + '|' + dates::shown(op->control<QDateEdit>(ui::Date)->date());
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    // Each Add stores one voucher of serial 0 under the next number; a
    // voucher has no tax or discount; the grid lists every voucher.
    void eachAddStoresOneVoucherUnderTheNextNumber()
    {
        Operator& op = open(ui::Expenditure, {priced("ExpenditureHead", 1, "RENT", 0), priced("ExpenditureHead", 2, "POWER", 0),
                                              party("ExpenditurePerson", 1, "ANIL", "1 MG ROAD", "98450"),
                                              party("ExpenditurePerson", 2, "BINA", "5 LAKE VIEW", "77712")});
        QCOMPARE(op.entries(ui::Item), QStringList({"POWER", "RENT"}));
        QCOMPARE(op.texts({ui::Item, ui::Number, ui::GrandTotal}), QString("||0"));

        op.control<QDateEdit>(ui::Date)->setDate(Dec4);
        op.type(ui::Remark, "june");
        op.type(ui::Tax, "15");  // the boxes are shut
        QVERIFY(!op.box(ui::Tax)->isEnabled() && !op.box(ui::Discount)->isEnabled());
        op.addVoucher("RENT", "1500");
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        op.addVoucher("tea break", "12.5");  // a head not in the list, stored as typed
        QCOMPARE(db.rows("select * from ExpenditureTable order by BillNumber"),
                 QStringList({"1|0|RENT|0|1500|0|0|BINA|5 LAKE VIEW|77712|JUNE|-|0|04/Dec/2026|-|-",
                              "2|0|TEA BREAK|0|12.5|0|0|ANIL|1 MG ROAD|98450|JUNE|-|0|04/Dec/2026|-|-"}));
        QCOMPARE(op.shown(), QStringList({"2|04/Dec/2026|TEA BREAK|12.5|98450|ANIL|1 MG ROAD",
                                          "1|04/Dec/2026|RENT|1500|77712|BINA|5 LAKE VIEW", "= 1512.5"}));
        QCOMPARE(op.texts({ui::Number, ui::Tax, ui::Discount}), QString("2|0|0"));

        // An empty head or an amount that is no number stores nothing and says nothing.
        for (const QStringList& entry : QList<QStringList>{{"", "10"}, {"RENT", "x"}, {"RENT", ""}})
            op.addVoucher(entry[0], entry[1]);
        QCOMPARE(db.count("ExpenditureTable"), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    // The newest voucher is shown on opening; a number chosen recalls its
    // voucher, date and all; clicking a grid row only writes its number.
    void choosingANumberRecallsItsVoucher()
    {
        Operator& op = open(ui::Expenditure, {voucherRow(1, "RENT", 1500, "ANIL", QDate(2026, 4, 12)),
                                              voucherRow(2, "POWER", 40.25)});
        QCOMPARE(boxes(), QString("POWER|40.25|RAMU|1 MILL RD|5551|PAID|04/Dec/2026"));
        QCOMPARE(op.entries(ui::Number), QStringList({"2", "1"}));
        QVERIFY(op.pick(ui::Number, "1"));
        QCOMPARE(boxes() + '|' + op.grandTotal(), QString("RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026|1540.25"));
        QCOMPARE(op.grid()->currentIndex().row(), 1);  // the grid's current row follows
        op.clickGridRow(0);
        QCOMPARE(op.number() + '|' + boxes(), QString("2|RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026"));
        op.click(ui::NewDocument);
        QCOMPARE(op.number() + '|' + op.grandTotal() + '|' + QString::number(op.gridRows().size()), QString("3|0|2"));

        // Every voucher deleted: an empty grid, a total of 0.
        QVERIFY(op.pick(ui::Number, "2"));
        messages.answers = {true, true};
        op.click(ui::DeleteDocument);
        op.click(ui::DeleteDocument);
        QCOMPARE(QString::number(op.gridRows().size()) + '|' + op.grandTotal(), QString("0|0"));
    }

    // Whichever voucher is shown, the register prints them all, ascending;
    // without a number in the box nothing prints; no vouchers print 0.00.
    void theRegisterPrintsEveryVoucherInAscendingNumber()
    {
        Operator& op = open(ui::Expenditure, {voucherRow(2, "POWER", 40.5), voucherRow(1, "RENT", 1500), voucherRow(3, "TEA", -5)});
        QVERIFY(op.pick(ui::Number, "1"));
        QTest::keyClick(op.box(ui::Remark), Qt::Key_Return);
        QCOMPARE(printed->allLines(), expectedRegister({registerLine(" 1", "RENT", " 1500"), registerLine(" 2", "POWER", " 40.5"),
                                                        registerLine(" 3", "TEA", "-5")},
                                                       "1536.00"));
        op.type(ui::Number, "x");
        op.click(ui::Print);
        QCOMPARE(printed->finishedJobs(), 1);

        db.exec("delete from ExpenditureTable");
        op.click(ui::NewDocument);
        printed->clear();
        op.click(ui::Print);
        QCOMPARE(printed->allLines(), expectedRegister({}, "0.00"));
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(ExpenditureTest)
#include "tst_expenditure.moc"
