#include "RestoreCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

const char* const RestoreHelp = R"(  restore FILE [--database DB]
      Puts the backup FILE in place of the database's contents. FILE must be
      a database with every table of this program, column for column, and
      pass SQLite's integrity check; otherwise nothing is changed. What is
      replaced is kept beside the database as DB.replaced-YYYYMMDD-HHMMSS.
      A damaged database is moved there whole and made afresh; without a
      database file (a new computer) the database is created.
      The program may stay open; it sees the restored rows at once.
)";

namespace {

using Tables = QList<QPair<QString, QStringList>>;

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

void attach(Connection& connection, const QString& file)
{
    RecordSet statement;
    statement.open(QStringLiteral("ATTACH DATABASE ") + sql::text(sqlitefile::uri(file, sqlitefile::Access::ReadOnly))
                       + QStringLiteral(" AS restored"),
                   connection);
}

// Every table of this program with its columns in order, taken from a
// database made afresh; throws the reason when the backup, attached as
// "restored", does not have them all or fails its integrity check.
Tables checkedTables(const QString& backupFile)
{
    const auto refuse = [&](const QString& why) {
        return Failure(QStringLiteral("%1 %2; nothing was restored").arg(backupFile, why));
    };
    Connection fresh;
    fresh.open(QStringLiteral("DRIVER=SQLite3;Database=:memory:"));
    RecordSet statement;
    for (const QString& text : schema::statements())
        statement.open(text, fresh);
    try {
        attach(fresh, backupFile);
    } catch (const Failure& failure) {
        throw refuse(QStringLiteral("cannot be opened as a database (%1)").arg(tooldb::reason(failure)));
    }
    const QStringList problems = tooldb::integrityProblems(fresh, QStringLiteral("restored"));
    if (!problems.isEmpty())
        throw refuse(QStringLiteral("is not a sound database (%1)").arg(problems.first()));

    Tables tables;
    statement.open(QStringLiteral("select name from main.sqlite_master where type = 'table' order by name"), fresh);
    for (; !statement.eof(); statement.moveNext()) {
        const QString table = statement.field(0).toString();
        const QStringList columns = columnsOf(fresh, table, QStringLiteral("main"));
        const QStringList found = columnsOf(fresh, table, QStringLiteral("restored"));
        if (found.isEmpty())
            throw refuse(QStringLiteral("is no database of this program: it has no table %1").arg(table));
        if (found.join(QLatin1Char(',')).compare(columns.join(QLatin1Char(',')), Qt::CaseInsensitive) != 0)
            throw refuse(QStringLiteral("is no database of this program: its table %1 has the columns %2")
                             .arg(table, found.join(QStringLiteral(", "))));
        tables << qMakePair(table, columns);
    }
    return tables;
}

enum class Keeping { Nothing, Copied, MovedDamaged };

// Keeps the database's present state in the file `kept`: a sound database
// is copied by SQLite itself (the program may be writing); a damaged one,
// which cannot be copied so, is moved there whole and made afresh. Without a
// database there is nothing to keep, and it is made.
Keeping keep(const QString& target, const QString& kept)
{
    if (!QFileInfo::exists(target)) {
        schema::createSqliteDatabase(target);
        return Keeping::Nothing;
    }
    {
        Connection connection;
        tooldb::open(connection, target);
        if (tooldb::integrityProblems(connection).isEmpty()) {
            RecordSet statement;
            statement.open(QStringLiteral("VACUUM main INTO ") + sql::text(kept), connection);
            sqlitefile::guardedAs(kept, target);
            return Keeping::Copied;
        }
    }
    for (const QString suffix : {QString(), QStringLiteral("-wal")}) {
        if (QFileInfo::exists(target + suffix) && !QFile::rename(target + suffix, kept + suffix))
            throw Failure(QStringLiteral("cannot move the damaged %1 aside; nothing was restored").arg(target));
    }
    QFile::remove(target + QStringLiteral("-shm"));
    schema::createSqliteDatabase(target);
    sqlitefile::guardedAs(target, kept);  // open to whom the database was
    return Keeping::MovedDamaged;
}

}  // namespace

int restore(const tooldb::CommandLine& line, QTextStream& out)
{
    const QString backupFile = QFileInfo(line.words.first()).absoluteFilePath();
    const QString target = tooldb::file(line.database());
    if (!QFileInfo(backupFile).isFile())
        throw Failure(QStringLiteral("%1 does not exist").arg(backupFile));
    if (tooldb::sameFile(backupFile, target))
        throw Failure(QStringLiteral("%1 is the database itself").arg(backupFile));
    const Tables tables = checkedTables(backupFile);

    // Checked: what is replaced is kept, then the database takes the rows.
    const QString kept = target + QStringLiteral(".replaced-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const Keeping keeping = keep(target, kept);
    Connection connection;
    RecordSet statement;
    QStringList counts;
    try {
        tooldb::open(connection, target);
        attach(connection, backupFile);
        Transaction transaction(connection);
        billsums::changeManyLines(connection, [&] {
            for (const auto& [table, columns] : tables) {
                statement.open(QStringLiteral("DELETE FROM main.%1").arg(table), connection);
                statement.open(QStringLiteral("INSERT INTO main.%1 SELECT * FROM restored.%1").arg(table), connection);
                statement.open(QStringLiteral("select count(*) from main.%1").arg(table), connection);
                counts << QStringLiteral("%1 %2").arg(table).arg(statement.field(0).toInt());
            }
        });
        transaction.commit();
    } catch (const Failure&) {
        // Nothing was restored: a copy left beside the database would read as
        // what a restore replaced. A damaged database moved aside stays.
        if (keeping == Keeping::Copied)
            QFile::remove(kept);
        throw;
    }
    statement.open(QStringLiteral("DETACH DATABASE restored"), connection);

    out << "Restored " << target << " from " << backupFile << " (rows: " << counts.join(QStringLiteral(", "))
        << ")\n";
    if (keeping == Keeping::Copied)
        out << "What it replaced is kept in " << kept << "\n";
    else if (keeping == Keeping::MovedDamaged)
        out << "The damaged database it replaced was moved to " << kept << "\n";
    return 0;
}
