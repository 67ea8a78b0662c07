#pragma once

#include "data/SqlText.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QDate>
#include <QStringList>

// The rows a test starts from, as earlier sessions would have left them, and the database's own refusals.
namespace rows {

inline const QDate Dec4(2026, 12, 4);

// A row of the line shape (asigncharges, ItemIn, Stock: 17 values); a stock batch has serial 0.
inline QString line(const QString& table, int number, int serial, const QString& item, int quantity, double amount,
                    const QString& code = {}, const QString& batch = {}, const QString& party = "CASH",
                    const QDate& date = Dec4, double tax = 0, double discount = 0, double mrp = 0)
{
    return QString("insert into %1 values(%2,%3,%4,%5,%6,%7,%8,%9,'ADDR','PHONE','','-',0,%10,%11,%12,%13)")
        .arg(table).arg(number).arg(serial).arg(sql::text(item)).arg(quantity)
        .arg(sql::number(amount), sql::number(tax), sql::number(discount), sql::text(party), sql::date(date),
             sql::text(code), sql::text(batch), sql::number(mrp));
}
// A bill line without code and batch, as the simple bill stores it.
inline QString billLine(int bill, int serial, const QString& item, int quantity, double price, double tax = 0,
                        double discount = 0, const QString& name = "CASH", const QDate& date = Dec4)
{
    return line("asigncharges", bill, serial, item, quantity, price, {}, {}, name, date, tax, discount);
}
// A stock batch without code and batch, with its selling price (MRP), as the simple bill sells from.
inline QString stockRow(int number, const QString& item, int quantity, double mrp)
{
    return line("Stock", number, 0, item, quantity, 0, {}, {}, "SUPPLIER", QDate(2026, 1, 5), 0, 0, mrp);
}
// A stock batch with its unit amount, as a receipt of that amount leaves it.
inline QString batchRow(int number, const QString& code, const QString& item, const QString& batch, int quantity,
                        double amount)
{
    return line("Stock", number, 0, item, quantity, amount, code, batch, "SUPPLIER", QDate(2026, 1, 5));
}
// A voucher (ExpenditureTable: 16 values).
inline QString voucherRow(int number, const QString& head, double amount, const QString& name = "RAMU",
                          const QDate& date = Dec4)
{
    return QString("insert into ExpenditureTable values(%1,0,%2,0,%3,0,0,%4,'1 MILL RD','5551','PAID','-',0,%5,'-','-')")
        .arg(number).arg(sql::text(head), sql::number(amount), sql::text(name), sql::date(date));
}

// A party record (Customer, Supplier, ExpenditurePerson) and a priced name (Charges, ExpenditureHead).
inline QString party(const QString& table, int sn, const QString& name, const QString& address, const QString& phone)
{
    return QString("insert into %1 values(%2,%3,%4,%5)").arg(table).arg(sn).arg(sql::text(name), sql::text(address), sql::text(phone));
}
inline QString customer(int sn, const QString& name, const QString& address, const QString& phone)
{
    return party("Customer", sn, name, address, phone);
}
inline QString priced(const QString& table, int sn, const QString& name, double price)
{
    return QString("insert into %1 values(%2,%3,%4,'-',0)").arg(table).arg(sn).arg(sql::text(name), sql::number(price));
}

inline const QString ShopHeader =
    "insert into ShopHeader values('THE CORNER SHOP','12 MARKET ROAD','NEAR BUS STAND','MYSORE','9845012345')";

inline const QString TriggerWords = "closed for stocktaking";

// A trigger that fails every change ("UPDATE", "INSERT", "DELETE") of the table's rows with
// TriggerWords (on the server through TestDatabase's refuse_change()).
inline QString failingTrigger(const QString& change, const QString& table)
{
    if (TestDatabase::onServer())
        return QString("CREATE TRIGGER Refuse%1%2 BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION refuse_change()")
            .arg(change, table);
    return QString("CREATE TRIGGER Refuse%1%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
        .arg(change, table, TriggerWords);
}
inline QStringList dropFailingTriggers(const QStringList& tables = {"Stock"})
{
    QStringList drops;
    for (const QString& table : tables)
        for (const char* change : {"UPDATE", "INSERT", "DELETE"})
            drops << QString("DROP TRIGGER IF EXISTS Refuse%1%2").arg(QLatin1String(change), table)
                    + (TestDatabase::onServer() ? " ON " + table : QString());
    return drops;
}

// The texts shown, each change the database refused (in the engine's words) as "refused".
inline QStringList textsWithRefusals(const RecordingMessages& messages)
{
    QStringList all = messages.texts();
    for (QString& text : all)
        if (text.startsWith("The change could not be made:") && text.endsWith("Nothing was changed."))
            text = "refused";
    return all;
}

}  // namespace rows
