#include "ProgramFile.h"

#include "ValueAudit.h"

#include "core/Failure.h"
#include "data/DatabaseBackup.h"
#include "data/ErrorKinds.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"

namespace programfile {

namespace {

QStringList columnsOf(Connection& connection, const QString& table, const QString& schema)
{
    RecordSet columns;
    columns.open(QStringLiteral("select name from pragma_table_info(%1, %2)").arg(sql::text(table), sql::text(schema)),
                 connection);
    QStringList names;
    for (; !columns.eof(); columns.moveNext())
        names << columns.field(0).toString();
    return names;
}

}  // namespace

void attach(Connection& connection, const QString& file, const QString& as)
{
    RecordSet statement;
    statement.open(QStringLiteral("ATTACH DATABASE %1 AS %2")
                       .arg(sql::text(sqlitefile::uri(file, sqlitefile::Access::ReadOnly)), as),
                   connection);
}

// The tables are taken from a database made afresh in memory, with the file
// attached beside it.
Tables checkedTables(const QString& file, const QString& nothingDone)
{
    const auto refuse = [&](const QString& why) {
        return Failure(QStringLiteral("%1 %2; %3").arg(file, why, nothingDone));
    };
    const QString checked = QStringLiteral("checked");
    Connection fresh;
    fresh.open(QStringLiteral("DRIVER=SQLite3;Database=:memory:"));
    RecordSet statement;
    for (const QString& text : schema::statements())
        statement.open(text, fresh);
    try {
        attach(fresh, file, checked);
    } catch (const Failure& failure) {
        throw refuse(QStringLiteral("cannot be opened as a database (%1)").arg(dberrors::reason(failure)));
    }
    const QStringList problems = databasebackup::integrityProblems(fresh, checked);
    if (!problems.isEmpty())
        throw refuse(QStringLiteral("is not a sound database (%1)").arg(problems.first()));

    Tables tables;
    statement.open(QStringLiteral("select name from main.sqlite_master where type = 'table' order by name"), fresh);
    for (; !statement.eof(); statement.moveNext()) {
        const QString table = statement.field(0).toString();
        const QStringList columns = columnsOf(fresh, table, QStringLiteral("main"));
        const QStringList found = columnsOf(fresh, table, checked);
        if (found.isEmpty())
            throw refuse(QStringLiteral("is no database of this program: it has no table %1").arg(table));
        if (found.join(QLatin1Char(',')).compare(columns.join(QLatin1Char(',')), Qt::CaseInsensitive) != 0)
            throw refuse(QStringLiteral("is no database of this program: its table %1 has the columns %2")
                             .arg(table, found.join(QStringLiteral(", "))));
        tables << qMakePair(table, columns);
    }
    const QStringList unfit = valueaudit::unfitValues(fresh, checked, valueaudit::Figures::Readable);
    if (!unfit.isEmpty())
        throw refuse(QStringLiteral("holds values this program cannot read (%1)").arg(unfit.first()));
    return tables;
}

}  // namespace programfile
