#pragma once

#include "support/Rows.h"
#include "support/TestDatabase.h"
#include "data/SqliteFile.h"

#include <QDate>
#include <QStringList>

// Two financial years of a shop's documents, for the tests of closing a year.
namespace shopyears {

// The first day of the generated years plus a number of days, as each engine writes it.
inline QString dayAfterStart(const QString& days)
{
    return TestDatabase::onServer() ? QString("(DATE '2023-04-01' + (%1))").arg(days)
                                    : QString("date('2023-04-01', '+' || (%1) || ' days')").arg(days);
}

// The connection string that opens an archive read-only.
inline QString readOnly(const QString& archive)
{
    return "DRIVER=SQLite3;Database=" + sqlitefile::uri(archive, sqlitefile::Access::ReadOnly);
}

// The years 2023-26 and 2024-27, set-based: 30 bills, 8 receipts and 15 vouchers per unit of scale in
// date order, one to four lines each, and the 43 stock batches as the lines make them (the last three
// only ever sold: below zero).
inline QStringList twoYears(int scale)
{
    const QString numbers = "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ";
    const QString serials = "(select 1 as s union all select 2 union all select 3 union all select 4) serials";
    const QString sold = "((i * 7 + s * 11) % 43)", received = "((i * 3 + s * 5) % 40)";
    const QString simple = "(i + s) % 9 = 0";
    const QString batchTotal = "coalesce((select sum(l.Quantity) from %1 l where l.ItemCode = 'C' || (i - 1) and "
                               "l.Item = 'ITEM ' || (i - 1) and l.Batch_Number = 'B' || ((i - 1) % 3)), 0)";
    return {
        numbers.arg(30 * scale)
            + QString("insert into asigncharges select i, s, 'ITEM ' || %1, (i + s) % 13 - 2, 10.5 + (i % 7) * 0.1 "
                      "+ (s % 3) * 0.005, (i % 5) * 2.5, (s % 4) * 3.3, 'CASH', 'ROAD', '98', '', '-', 0, %2, "
                      "case when %3 then '' else 'C' || %1 end, case when %3 then '' else 'B' || (%1 % 3) end, 0 "
                      "from n, %4 where s <= 1 + (i * 7) % 4")
                  .arg(sold, dayAfterStart(QString("(i - 1) * 730 / %1").arg(30 * scale)), simple, serials),
        numbers.arg(8 * scale)
            + QString("insert into ItemIn select i, s, 'ITEM ' || %1, 20 + (i + s) % 30, 2.675 + (i % 9) * 0.35, "
                      "(s % 3) * 6.25, (i % 4) * 2.5, 'ACME', 'MILL ROAD', '55', '', '-', 0, %2, 'C' || %1, "
                      "'B' || (%1 % 3), 0 from n, %3 where s <= 1 + (i * 5) % 3")
                  .arg(received, dayAfterStart(QString("(i - 1) * 730 / %1").arg(8 * scale)), serials),
        numbers.arg(15 * scale)
            + QString("insert into ExpenditureTable select i, 0, 'HEAD ' || (i % 12), 0, (i % 97) * 1.01 + 0.005, "
                      "0, 0, 'PAYEE', '', '', '', '-', 0, %1, '-', '-' from n")
                  .arg(dayAfterStart(QString("(i - 1) * 730 / %1").arg(15 * scale))),
        numbers.arg(43)
            + QString("insert into Stock select i, 0, 'ITEM ' || (i - 1), %1 - %2, 2.675, 0, 0, 'ACME', '', '', '', "
                      "'-', 0, %3, 'C' || (i - 1), 'B' || ((i - 1) % 3), 0 from n")
                  .arg(batchTotal.arg("ItemIn"), batchTotal.arg("asigncharges"), sql::date(QDate(2023, 4, 1))),
        rows::customer(1, "RAM", "ROAD", "98"),
        rows::ShopHeader,
    };
}

}  // namespace shopyears
