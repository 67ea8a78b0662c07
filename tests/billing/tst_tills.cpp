// Two tills in the worst order: both show the same next number; the other stores under it (under the
// table's numbering lock, as the program does) and holds its transaction open while this one stores.
// This one must wait (the engine's guard, not the program's), then take the next free number.

#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"
#include "stores/SellingPriceStore.h"
#include "stores/ShopHeaderStore.h"
#include "support/ScreenBench.h"

#include <QElapsedTimer>
#include <atomic>
#include <functional>
#include <thread>

using namespace rows;

namespace {

// The other till, in a thread and on a connection of its own: in one
// transaction it runs `first`, holds on for the time given while this till
// works, runs `then` and commits. Its failure, if any, is kept.
class OtherTill {
public:
    using Statements = std::function<void(Connection&)>;

    OtherTill(Statements first, int holdMs, Statements then = {})
        : m_thread([=] {
              try {
                  Connection connection;
                  connection.open();
                  Transaction transaction(connection);
                  first(connection);
                  m_holding = true;
                  std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
                  if (then)
                      then(connection);
                  transaction.commit();
              } catch (const Failure& error) {
                  m_failure = error.description();
                  m_holding = true;
              }
          })
    {
        while (!m_holding)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~OtherTill()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    // Waits for the other till to end; what failed there, empty when nothing did.
    QString failure()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_failure;
    }

private:
    std::atomic<bool> m_holding{false};
    QString m_failure;
    std::thread m_thread;
};

}  // namespace

class TillsTest : public QObject, ScreenBench {
    Q_OBJECT

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void twoTillsNeverShareANumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("tables");  // the other till locks their numbers
        QTest::addColumn<QStringList>("other");   // and stores these rows
        QTest::addColumn<QString>("stored");      // each entry: number|whose|serial
        QTest::addColumn<QStringList>("expected");
        const QStringList twoLines{"1|A|1", "1|A|2", "2|B|1", "2|B|2"};
        QTest::newRow("bill") << ui::BillOne << QStringList{"asigncharges"}
                              << QStringList{billLine(1, 1, "RICE", 2, 10, 0, 0, "A"), billLine(1, 2, "RICE", 3, 10, 0, 0, "A")}
                              << "Select BillNumber, CustomerName, Serial from asigncharges order by 1, 3" << twoLines;
        // Both receive into one batch (RICE/B1), each into one of its own.
        QTest::newRow("receipt") << ui::ItemInFrm << QStringList{"ItemIn", "Stock"}
                                 << QStringList{line("ItemIn", 1, 1, "RICE", 2, 10, "RICE", "B1", "A"),
                                                line("ItemIn", 1, 2, "A", 3, 10, "A", "B1", "A"),
                                                line("Stock", 1, 0, "RICE", 2, 10, "RICE", "B1", "A"),
                                                line("Stock", 2, 0, "A", 3, 10, "A", "B1", "A")}
                                 << "Select BillNumber, CustomerName, Serial from ItemIn order by 1, 3" << twoLines;
        QTest::newRow("voucher") << ui::Expenditure << QStringList{"ExpenditureTable"}
                                 << QStringList{voucherRow(1, "RENT", 10, "A"), voucherRow(2, "RENT", 10, "A")}
                                 << "Select BillNumber, CustomerName from ExpenditureTable order by 1"
                                 << QStringList{"1|A", "2|A", "3|B", "4|B"};
        QTest::newRow("customer") << ui::Customers << QStringList{"Customer"}
                                  << QStringList{customer(1, "A", "ROAD", "A1"), customer(2, "A", "ROAD", "A2")}
                                  << "Select SN, ITEM from Customer order by 1" << QStringList{"1|A", "2|A", "3|B", "4|B"};
    }
    void twoTillsNeverShareANumber()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, tables);
        QFETCH(QStringList, other);
        QFETCH(QString, stored);
        QFETCH(QStringList, expected);
        const Operator& op = open(name, {stockRow(9, "RICE", 10, 10)});
        op.type(ui::PartyName, "B");
        const auto store = [&](int entry) {
            if (name == ui::BillOne)
                op.addLine("RICE", "2");
            else if (name == ui::ItemInFrm)
                op.receiveLine(entry == 0 ? "RICE" : "B", entry == 0 ? "RICE" : "B", "B1", "3", "10");
            else if (name == ui::Expenditure)
                op.addVoucher("RENT", "10");
            else {
                op.type(ui::PartyName, "B");
                op.type(ui::MasterPhone, QString("B%1").arg(entry));
                op.click(ui::Save);
            }
        };

        OtherTill till(
            [&](Connection& connection) {
                for (const QString& table : tables)
                    if (const QString lock = connection.dialect().numberingLock(table); !lock.isEmpty())
                        RecordSet().open(lock, connection);
                for (const QString& row : other)
                    RecordSet().open(row, connection);
            },
            600);
        QElapsedTimer waited;
        waited.start();
        store(0);
        const qint64 firstStore = waited.elapsed();
        const QString failure = till.failure();
        store(1);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(firstStore > 400, "this till did not wait for the other one's claim");
        QCOMPARE(messages.texts().filter("Saved").size(), messages.shown.size());  // nothing failed
        QCOMPARE(db.rows(stored), expected);
        if (name == ui::ItemInFrm)
            QCOMPARE(db.rows("Select ItemCode, Quantity, BillNumber from Stock where ItemCode <> '' order by ItemCode"),
                     QStringList({"A|3|2", "B|3|10", "RICE|5|1"}));
    }

    // The other till holds the writing turn (an Add Item, a year's close)
    // while this one saves a letterhead or a price. This one waits for the
    // turn before its first write: it neither keeps the letterhead the other
    // stored beside its own, nor holds a table the other then locks.
    void aChangeTakesTheTurnBeforeItsFirstWrite_data()
    {
        QTest::addColumn<bool>("letterhead");
        QTest::newRow("letterhead") << true;
        QTest::newRow("price") << false;
    }
    void aChangeTakesTheTurnBeforeItsFirstWrite()
    {
        QFETCH(bool, letterhead);
        db.exec(stockRow(1, "RICE", 10, 10));
        OtherTill till([](Connection& connection) { changes::takeWritingTurn(connection); }, 400,
                       [letterhead](Connection& connection) {
                           if (letterhead)
                               stores::ShopHeaderStore(connection).save({"OTHER", "", "", "", ""});
                           else if (connection.engine() == schema::Engine::Postgres)
                               RecordSet().open("LOCK TABLE Stock IN EXCLUSIVE MODE", connection);
                       });
        QString mine;
        try {
            Connection connection;
            connection.open();
            if (letterhead) {
                stores::ShopHeaderStore(connection).save({"THIS", "", "", "", ""});
            } else {
                Transaction transaction(connection);
                stores::SellingPriceStore(connection).setPrice({qint16(1), {}, {}, {}}, 12);
                transaction.commit();
            }
        } catch (const Failure& error) {
            mine = error.description();
        }
        const QString failure = till.failure();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(mine.isEmpty(), qPrintable(mine));
        if (letterhead)
            QCOMPARE(db.rows("select ShopName from ShopHeader"), QStringList{"THIS"});
        else
            QCOMPARE(db.rows("select MRP from Stock"), QStringList{"12"});
    }
};

QTEST_MAIN(TillsTest)
#include "tst_tills.moc"
