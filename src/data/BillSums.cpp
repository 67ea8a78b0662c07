#include "data/BillSums.h"

#include "core/FigureColumns.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/RecordSet.h"

namespace billsums {

namespace {

using schema::Engine;

// The sums of the bills the condition picks, as rows of BillSums. SQLite
// groups along the key's index (BillNumber, Serial), so each bill's lines
// come in serial order; the server aggregates a subquery sorted so.
QString sumsOf(const QString& bills, Engine engine)
{
    const QString days = QStringLiteral(" as BillDate, min(Date_) as FirstDay, max(Date_) as LastDay");
    if (engine == Engine::Postgres)
        return QStringLiteral("SELECT BillNumber, ") + figures::sumColumns() + QStringLiteral(", (array_agg(Date_))[1]")
            + days + QStringLiteral(" FROM (SELECT * FROM asigncharges WHERE ") + bills
            + QStringLiteral(" ORDER BY BillNumber, Serial) lines GROUP BY BillNumber");
    return QStringLiteral("SELECT BillNumber, ") + figures::sumColumns()
        + QStringLiteral(", (SELECT Date_ FROM asigncharges f WHERE f.BillNumber = a.BillNumber ORDER BY Serial LIMIT 1)")
        + days + QStringLiteral(" FROM asigncharges a WHERE ") + bills + QStringLiteral(" GROUP BY BillNumber");
}

QString summed(const QString& bills, Engine engine)
{
    return QStringLiteral("INSERT INTO BillSums ") + sumsOf(bills, engine);
}

bool keepsSums(Connection& connection)
{
    RecordSet statement;
    statement.open(connection.engine() == Engine::Postgres
                       ? QStringLiteral("select to_regclass('billsums') is not null")
                       : QStringLiteral("select count(*) from sqlite_master where name = 'BillSums'"),
                   connection);
    return statement.field(0).toBool();
}

QString summedAgain(const QString& bills, Engine engine)
{
    return QStringLiteral("DELETE FROM BillSums WHERE ") + bills + QStringLiteral("; ") + summed(bills, engine)
        + QStringLiteral(";");
}

// SQLite's triggers run for each line.
QStringList sqliteTriggers()
{
    const QString theNew = QStringLiteral("BillNumber = NEW.BillNumber"), theOld = QStringLiteral("BillNumber = OLD.BillNumber");
    const QString trigger = QStringLiteral("CREATE TRIGGER IF NOT EXISTS BillSums_%1 AFTER %1 ON asigncharges BEGIN %2 END");
    return {trigger.arg(QStringLiteral("INSERT"), summedAgain(theNew, Engine::Sqlite)),
            trigger.arg(QStringLiteral("DELETE"), summedAgain(theOld, Engine::Sqlite)),
            trigger.arg(QStringLiteral("UPDATE"),
                        summedAgain(theOld, Engine::Sqlite) + QLatin1Char(' ') + summedAgain(theNew, Engine::Sqlite))};
}

// The server's run once for each statement, over the lines it changed.
QStringList serverTriggers()
{
    const QString bills = QStringLiteral("BillNumber = ANY(bills)");
    QStringList made{
        QStringLiteral("CREATE OR REPLACE FUNCTION bill_sums_changed() RETURNS trigger LANGUAGE plpgsql AS $body$ "
                       "DECLARE bills smallint[]; BEGIN "
                       "IF TG_OP = 'TRUNCATE' THEN DELETE FROM BillSums; RETURN NULL; END IF; "
                       "IF TG_OP = 'INSERT' THEN SELECT array_agg(DISTINCT BillNumber) INTO bills FROM new_lines; "
                       "ELSIF TG_OP = 'DELETE' THEN SELECT array_agg(DISTINCT BillNumber) INTO bills FROM old_lines; "
                       "ELSE SELECT array_agg(DISTINCT BillNumber) INTO bills FROM "
                       "(SELECT BillNumber FROM old_lines UNION SELECT BillNumber FROM new_lines) changed; END IF; ")
        + summedAgain(bills, Engine::Postgres) + QStringLiteral(" RETURN NULL; END $body$")};
    const QString trigger = QStringLiteral("CREATE OR REPLACE TRIGGER BillSums_%1 AFTER %2 ON asigncharges %3 "
                                           "FOR EACH STATEMENT EXECUTE FUNCTION bill_sums_changed()");
    made << trigger.arg(QStringLiteral("insert"), QStringLiteral("INSERT"), QStringLiteral("REFERENCING NEW TABLE AS new_lines"))
         << trigger.arg(QStringLiteral("delete"), QStringLiteral("DELETE"), QStringLiteral("REFERENCING OLD TABLE AS old_lines"))
         << trigger.arg(QStringLiteral("update"), QStringLiteral("UPDATE"),
                        QStringLiteral("REFERENCING OLD TABLE AS old_lines NEW TABLE AS new_lines"))
         << trigger.arg(QStringLiteral("truncate"), QStringLiteral("TRUNCATE"), QString());
    return made;
}

}  // namespace

QStringList statements(Engine engine)
{
    const QString real = engine == Engine::Postgres ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("DOUBLE");
    QStringList made{QStringLiteral("CREATE TABLE IF NOT EXISTS BillSums (BillNumber SMALLINT PRIMARY KEY, Total %1, "
                                    "Amount_ %1, Discount %1, Tax %1, BillDate DATE, FirstDay DATE, LastDay DATE)")
                         .arg(real),
                     QStringLiteral("DELETE FROM BillSums"), summed(QStringLiteral("1 = 1"), engine)};
    return made + (engine == Engine::Postgres ? serverTriggers() : sqliteTriggers());
}

namespace {

// The triggers left out while the change runs, and every bill summed again
// once after it, in the same transaction.
void summedOnceAfter(Connection& connection, const std::function<void()>& change)
{
    // Writes first: a SQLite transaction that has read waits for no writer.
    // The triggers are main's: a database attached beside it may have its own.
    const QString drop = connection.engine() == Engine::Sqlite ? QStringLiteral("DROP TRIGGER IF EXISTS main.BillSums_%1")
                                                               : QStringLiteral("DROP TRIGGER IF EXISTS BillSums_%1 ON asigncharges");
    RecordSet statement;
    for (const char* event : {"insert", "delete", "update"})
        statement.open(drop.arg(QLatin1String(event)), connection);
    change();
    if (keepsSums(connection))
        sumEveryBillAgain(connection);
}

}  // namespace

void changeManyLines(Connection& connection, const std::function<void()>& change)
{
    if (connection.engine() != Engine::Sqlite) {
        change();
        return;
    }
    summedOnceAfter(connection, change);
}

void fillNewDatabase(Connection& connection, const std::function<void()>& fill)
{
    summedOnceAfter(connection, fill);
}

QVector<int> billsSummedWrongly(Connection& connection)
{
    if (!keepsSums(connection))
        return {};
    QString differs;
    for (const char* column : {"Total", "Amount_", "Discount", "Tax", "BillDate", "FirstDay", "LastDay"})
        differs += QStringLiteral(" or k.%1 is distinct from made.%1").arg(QLatin1String(column));
    const QString made = sumsOf(QStringLiteral("1 = 1"), connection.engine());
    RecordSet rows;
    rows.open(QStringLiteral("select coalesce(k.BillNumber, made.BillNumber) as Bill from (") + made
                  + QStringLiteral(") made full join BillSums k on k.BillNumber = made.BillNumber where k.BillNumber is "
                                   "null or made.BillNumber is null")
                  + differs + QStringLiteral(" order by Bill"),
              connection);
    QVector<int> bills;
    for (; !rows.eof(); rows.moveNext())
        bills << rows.field(0).toInt();
    return bills;
}

void sumEveryBillAgain(Connection& connection)
{
    RecordSet statement;
    for (const QString& text : billsums::statements(connection.engine()))
        statement.open(text, connection);
}

bool linesReadInstead(const DbError& error, const Connection& connection)
{
    return !connection.inTransaction()
        && (!DbError::isUnavailable(error.kind()) || error.kind() == DbError::Kind::ReadOnly);
}

QString numbersKeptFor(const QString& lineTable)
{
    return lineTable.compare(QLatin1String("asigncharges"), Qt::CaseInsensitive) == 0 ? QStringLiteral("BillSums")
                                                                                        : QString();
}

QString billsWithLinesDated(const QString& from, const QString& to)
{
    // A bill whose lines' days all lie in the range has a line there; only
    // one that reaches beyond it is looked up line by line.
    return QStringLiteral("Select BillNumber, Total, Amount_, Discount, Tax, BillDate from BillSums where FirstDay <= %2 "
                          "and LastDay >= %1 and ((FirstDay >= %1 and LastDay <= %2) or exists (Select 1 from "
                          "asigncharges a where a.BillNumber = BillSums.BillNumber and Date_ >= %1 and Date_ <= %2)) "
                          "order by BillNumber asc")
        .arg(from, to);
}

}  // namespace billsums
