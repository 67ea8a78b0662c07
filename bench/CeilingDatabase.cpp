#include "CeilingDatabase.h"

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/ServerAddress.h"
#include "data/SqlText.h"

#include <QDate>
#include <QFile>
#include <functional>

namespace ceiling {

namespace {

const char* const FirstNames[] = {"ASHA", "RAVI", "ANIL", "SUNITA", "MOHAN", "LATHA", "KIRAN", "DEEPA",
                                  "SURESH", "GEETHA", "VIJAY", "PRIYA", "RAMESH", "KAVYA", "ARUN", "MEERA"};
const char* const Surnames[] = {"KUMAR", "RAO", "SHETTY", "NAIK", "GOWDA", "PRABHU", "HEGDE", "PAI",
                                "BHAT", "REDDY", "IYER", "NAIR", "MENON"};
const char* const Streets[] = {"MG ROAD", "MARKET ROAD", "STATION ROAD", "TEMPLE STREET", "LAKE VIEW",
                               "CHURCH STREET", "HILL ROAD"};

template <class Array>
const char* pick(const Array& names, int n)
{
    return names[n % int(sizeof(names) / sizeof(names[0]))];
}

QString personName(int n)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(pick(FirstNames, n)),
                                       QLatin1String(pick(Surnames, n / 16)));
}

QString address(int n)
{
    return QStringLiteral("%1 %2").arg(n % 400 + 1).arg(QLatin1String(pick(Streets, n / 3)));
}

// Phones are unique within a party table; each table has its own prefix.
QString phone(int prefix, int n)
{
    return QStringLiteral("%1%2").arg(prefix).arg(n, 6, 10, QLatin1Char('0'));
}

// One multi-row insert per batch of rows, all in one transaction.
void insertRows(Connection& connection, const QString& table, int count,
                const std::function<QString(int)>& values)
{
    constexpr int RowsPerStatement = 200;  // below SQLite's limit of terms in a compound select
    RecordSet statement;
    for (int first = 1; first <= count; first += RowsPerStatement) {
        QStringList rows;
        for (int n = first; n < first + RowsPerStatement && n <= count; ++n)
            rows << QLatin1Char('(') + values(n) + QLatin1Char(')');
        statement.open(QStringLiteral("insert into ") + table + QStringLiteral(" values")
                           + rows.join(QLatin1Char(',')),
                       connection);
    }
}

}  // namespace

Size Size::full()
{
    return {32767, 32767, 8, 5000, 32767, 32767, 8, 32767};
}

Size Size::quick()
{
    return {600, 400, 8, 300, 600, 800, 8, 600};
}

QString itemName(int number)
{
    return QStringLiteral("ITEM %1").arg(number, 5, 10, QLatin1Char('0'));
}

QString customerValues(int sn)
{
    return partyValues(sn, QStringLiteral("Customer"));
}

QString partyValues(int sn, const QString& table)
{
    const int prefix = table == QLatin1String("Customer") ? 9845 : table == QLatin1String("Supplier") ? 9900 : 9700;
    return QStringLiteral("%1,%2,%3,%4")
        .arg(sn)
        .arg(sql::text(personName(sn)), sql::text(address(sn)), sql::text(phone(prefix, sn)));
}

QString pricedNameValues(int sn, const QString& table)
{
    const QString name = table == QLatin1String("Charges") ? itemName(sn)
                                                           : QStringLiteral("HEAD %1").arg(sn, 5, 10, QLatin1Char('0'));
    return QStringLiteral("%1,%2,%3,'-',0").arg(sn).arg(sql::text(name), sql::number(5 + (sn % 400) * 2.5));
}

QString stockValues(int number)
{
    const double mrp = 10 + (number % 90) * 5.5;
    return QStringLiteral("%1,0,%2,%3,%4,0,0,'SUPPLIER %5','','','','-',0,%6,%7,%8,%9")
        .arg(number)
        .arg(sql::text(itemName(number)))
        .arg(StockQuantity)
        .arg(sql::number(mrp * 0.8))
        .arg(number % 50 + 1)
        .arg(sql::date(QDate(2020, 1, 1).addDays(number % 1500)),
             sql::text(QStringLiteral("C%1").arg(number, 5, 10, QLatin1Char('0'))),
             sql::text(QStringLiteral("B%1").arg(number % 7 + 1)), sql::number(mrp));
}

QString billLineValues(int bill, int serial, const Size& size)
{
    const int item = (bill * 7 + serial * 13) % size.stockBatches + 1;
    const int customer = bill % size.customers + 1;
    const double price = 10 + (item % 90) * 5.5;
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,'','-',0,%11,'','',0")
        .arg(bill)
        .arg(serial)
        .arg(sql::text(itemName(item)))
        .arg(serial % 5 + 1)
        .arg(sql::number(price), sql::number(serial % 3 == 0 ? 5 : 0), sql::number(serial % 4 == 0 ? 10 : 0),
             sql::text(personName(customer)), sql::text(address(customer)), sql::text(phone(9845, customer)),
             sql::date(QDate(2017, 1, 1).addDays(bill / 12)));
}

// Goods of a stock batch received from a supplier: the batch's code, name and number.
QString receiptLineValues(int receipt, int serial, const Size& size)
{
    const int batch = (receipt * 11 + serial * 17) % size.stockBatches + 1;
    const int supplier = receipt % size.masterRows + 1;
    const double mrp = 10 + (batch % 90) * 5.5;
    return QStringLiteral("%1,%2,%3,%4,%5,%6,0,%7,%8,%9,'','-',0,%10,%11,%12,%13")
        .arg(receipt)
        .arg(serial)
        .arg(sql::text(itemName(batch)))
        .arg(serial % 7 * 10 + 10)
        .arg(sql::number(mrp * 0.8), sql::number(serial % 2 == 0 ? 5 : 0), sql::text(personName(supplier)),
             sql::text(address(supplier)), sql::text(phone(9900, supplier)),
             sql::date(QDate(2020, 1, 1).addDays(receipt / 3)),
             sql::text(QStringLiteral("C%1").arg(batch, 5, 10, QLatin1Char('0'))),
             sql::text(QStringLiteral("B%1").arg(batch % 7 + 1)), sql::number(mrp));
}

// One voucher a number, paid to a person of the personnel master under one of its heads.
QString voucherValues(int number, const Size& size)
{
    const int head = (number * 7) % size.masterRows + 1;
    const int person = number % size.masterRows + 1;
    return QStringLiteral("%1,0,%2,0,%3,0,0,%4,%5,%6,'','-',0,%7,'-','-'")
        .arg(number)
        .arg(sql::text(QStringLiteral("HEAD %1").arg(head, 5, 10, QLatin1Char('0'))),
             sql::number(50 + (number % 200) * 12.5), sql::text(personName(person)), sql::text(address(person)),
             sql::text(phone(9700, person)), sql::date(QDate(2017, 1, 1).addDays(number / 12)));
}

QVector<TableRows> rowsMade(const Size& size)
{
    return {{QStringLiteral("Customer"), size.customers},
            {QStringLiteral("Supplier"), size.masterRows},
            {QStringLiteral("ExpenditurePerson"), size.masterRows},
            {QStringLiteral("Charges"), size.masterRows},
            {QStringLiteral("ExpenditureHead"), size.masterRows},
            {QStringLiteral("Stock"), size.stockBatches},
            {QStringLiteral("asigncharges"), size.bills * size.linesPerBill},
            {QStringLiteral("ItemIn"), size.receiptLines},
            {QStringLiteral("ExpenditureTable"), size.vouchers},
            {QStringLiteral("ShopHeader"), 1}};
}

void create(const QString& path, const Size& size)
{
    schema::createSqliteDatabase(path);
    Connection connection;
    connection.open(schema::sqliteConnectionString(path));
    fill(connection, size);
}

bool createOnServer(const ServerAddress& server, const Size& size)
{
    Connection connection;
    connection.open(datasource::postgresConnectionString(server));
    if (schema::hasTables(connection))
        return false;
    schema::createServerTables(connection);
    fill(connection, size);
    // The server plans its statements by what it has counted.
    RecordSet counted;
    counted.open(QStringLiteral("ANALYZE"), connection);
    return true;
}

void useServerAsDataSource(const QString& iniPath, const ServerAddress& server)
{
    QFile::remove(iniPath);
    qputenv("ODBCINI", iniPath.toLocal8Bit());
    datasource::definePostgres(QStringLiteral("Bill"), server);
}

void fill(Connection& connection, const Size& size)
{
    Transaction transaction(connection);
    insertRows(connection, QStringLiteral("Customer"), size.customers, customerValues);
    for (const QString& table : {QStringLiteral("Supplier"), QStringLiteral("ExpenditurePerson")})
        insertRows(connection, table, size.masterRows, [table](int sn) { return partyValues(sn, table); });
    for (const QString& table : {QStringLiteral("Charges"), QStringLiteral("ExpenditureHead")})
        insertRows(connection, table, size.masterRows, [table](int sn) { return pricedNameValues(sn, table); });
    insertRows(connection, QStringLiteral("Stock"), size.stockBatches, stockValues);
    insertRows(connection, QStringLiteral("asigncharges"), size.bills * size.linesPerBill, [&size](int n) {
        return billLineValues((n - 1) / size.linesPerBill + 1, (n - 1) % size.linesPerBill + 1, size);
    });
    insertRows(connection, QStringLiteral("ItemIn"), size.receiptLines, [&size](int n) {
        return receiptLineValues((n - 1) / size.linesPerReceipt + 1, (n - 1) % size.linesPerReceipt + 1, size);
    });
    insertRows(connection, QStringLiteral("ExpenditureTable"), size.vouchers,
               [&size](int n) { return voucherValues(n, size); });
    RecordSet statement;
    statement.open(QStringLiteral("insert into ShopHeader values('THE CORNER SHOP','12 MARKET ROAD',"
                                  "'NEAR BUS STAND','MYSORE','9845012345')"),
                   connection);
    transaction.commit();
}

void useAsDataSource(const QString& iniPath, const QString& databasePath)
{
    QFile::remove(iniPath);
    qputenv("ODBCINI", iniPath.toLocal8Bit());
    datasource::defineSqlite(QStringLiteral("Bill"), databasePath);
}

}  // namespace ceiling
