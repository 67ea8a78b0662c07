#include "ValueAudit.h"

#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"

#include <QHash>
#include <QStringList>

namespace valueaudit {

namespace {

struct Column {
    QString name;
    QString type;
    bool key = false;
};

QList<Column> columnsOf(Connection& connection, const QString& table)
{
    RecordSet rows;
    rows.open(QStringLiteral("select name, type, pk from pragma_table_info(%1, 'main')").arg(sql::text(table)), connection);
    QList<Column> columns;
    for (; !rows.eof(); rows.moveNext())
        columns << Column{rows.field(0).toString(), rows.field(1).toString().toUpper(), rows.field(2).toInt() > 0};
    return columns;
}

constexpr double LargestReadableFigure = 1e15;

// What a value of the column is not, and the condition that finds it.
struct Unfit {
    QString what;
    QString condition;
};

// The numbers the program counts and numbers documents by, which it cannot
// read empty: a line's figures would drop out of its total unseen. Other
// columns may be empty (older books hold empty days and unused numbers).
bool neverEmpty(const Column& column)
{
    static const QStringList figures{QStringLiteral("BillNumber"), QStringLiteral("Serial"), QStringLiteral("Quantity"),
                                     QStringLiteral("Amount"), QStringLiteral("TaxInPercentage"),
                                     QStringLiteral("DiscountinPercentage"), QStringLiteral("MRP")};
    return column.key || figures.contains(column.name, Qt::CaseInsensitive);
}

Unfit unfit(const Column& column, Figures figures, bool onServer)
{
    const QString& c = column.name;
    // Nothing, where the engine keeps only values of the column's kind.
    Unfit found{QString(), QStringLiteral("1 = 0")};
    if (column.type.startsWith(QLatin1String("SMALLINT")) || column.type.startsWith(QLatin1String("INTEGER"))) {
        if (!onServer)
            found = {QStringLiteral("no whole number"), QStringLiteral("typeof(%1) not in ('integer', 'null')").arg(c)};
    } else if (column.type.startsWith(QLatin1String("DOUBLE"))) {
        // Typed: every figure stored is one typed, within the typed limit (an
        // infinite one is beyond it too, and on a server NaN, which sorts
        // above every figure). Readable: fifteen digits, a barcode scanned
        // into an amount box, as older versions took; a line of such figures
        // (32767 times an amount, with percentages as large) stays finite on
        // both engines, where far beyond, its figures and every total over
        // it turn infinite or empty.
        const QString largest =
            numeric::numberText(figures == Figures::Typed ? numeric::LargestTypedAmount : LargestReadableFigure);
        found = {QStringLiteral("no number up to %1 either way").arg(largest),
                 onServer ? QStringLiteral("abs(%1) > %2").arg(c, largest)
                          : QStringLiteral("(typeof(%1) not in ('integer', 'real', 'null') or abs(%1) > %2)").arg(c, largest)};
    } else if (column.type == QLatin1String("DATE")) {
        // date() takes 2017-02-30 as it stands; through the day's number it is 2017-03-02. A
        // server's date column holds only days, but also infinity and years
        // past 9999, which no date box shows and no report's range takes.
        found = {QStringLiteral("no day"),
                 onServer ? QStringLiteral("not (%1 between '0001-01-01' and '9999-12-31')").arg(c)
                          : QStringLiteral("(%1 is not null and (typeof(%1) <> 'text' or date(julianday(%1)) is not %1))").arg(c)};
    } else if (!onServer) {
        found = {QStringLiteral("no text"), QStringLiteral("typeof(%1) = 'blob'").arg(c)};
    }
    if (neverEmpty(column)) {
        if (found.what.isEmpty())
            found.what = QStringLiteral("no whole number");
        found.condition = QStringLiteral("(%1 is null or %2)").arg(c, found.condition);
    }
    return found;
}

}  // namespace

QStringList unfitValues(Connection& connection, const QString& schemaName, Figures figures)
{
    // A server's columns hold only values of their kind, and figures are
    // read from its own tables, which the program made; SQLite's columns
    // are read as the file declares them.
    const bool onServer = connection.engine() == schema::Engine::Postgres;
    const QHash<QString, QStringList> programTables = schema::columnNames();
    const QHash<QString, QStringList> programTypes = schema::columnTypes();
    QStringList tables;
    RecordSet rows;
    rows.open(onServer ? QStringLiteral("select table_name from information_schema.tables where table_schema = "
                                        "current_schema() order by table_name")
                       : QStringLiteral("select name from main.sqlite_master where type = 'table' order by name"),
              connection);
    for (; !rows.eof(); rows.moveNext())
        if (programTables.contains(rows.field(0).toString().toLower()))
            tables << rows.field(0).toString();
    QStringList findings;
    for (const QString& table : tables) {
        QList<Column> columns;
        if (onServer) {
            const QStringList names = programTables.value(table.toLower());
            const QStringList types = programTypes.value(table.toLower());
            for (int position = 0; position < names.size(); ++position)
                columns << Column{names.at(position), types.at(position).toUpper()};  // a key is never empty there
        } else {
            columns = columnsOf(connection, table);
        }
        QList<Unfit> unfits;
        for (const Column& column : columns)
            unfits << unfit(column, figures, onServer);
        // One pass over the table counts every column's; the first of each is read only where there are some.
        QStringList counts;
        for (const Unfit& found : unfits)
            counts << QStringLiteral("sum(case when %1 then 1 else 0 end)").arg(found.condition);
        const QString from = onServer ? QStringLiteral(" from %1").arg(table) : QStringLiteral(" from %1.%2").arg(schemaName, table);
        rows.open(QStringLiteral("select ") + counts.join(QStringLiteral(", ")) + from, connection);
        QList<int> found;
        for (int position = 0; position < columns.size(); ++position)
            found << rows.field(position).toInt();
        for (int position = 0; position < columns.size(); ++position) {
            if (found.at(position) == 0)
                continue;
            const Column& column = columns.at(position);
            const QString shown = onServer ? QStringLiteral("coalesce(cast(%1 as text), 'NULL')") : QStringLiteral("quote(%1)");
            rows.open(QStringLiteral("select ") + shown.arg(column.name) + from
                          + QStringLiteral(" where %1 limit 1").arg(unfits.at(position).condition),
                      connection);
            const int count = found.at(position);
            findings << QStringLiteral("Table %1, column %2: %3 %4 %5, such as %6")
                            .arg(table, column.name)
                            .arg(count)
                            .arg(count == 1 ? QStringLiteral("value that is") : QStringLiteral("values that are"),
                                 unfits.at(position).what, rows.field(0).toString());
        }
    }
    return findings;
}

}  // namespace valueaudit
