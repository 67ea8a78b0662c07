#include "RestoreCommand.h"

#include "ProgramFile.h"
#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/DatabaseBackup.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

const char* const RestoreHelp = R"(  restore FILE [--database DB]
      Puts the backup FILE in place of the database's contents. FILE must be
      a database with every table of this program, column for column, and
      pass SQLite's integrity check; otherwise nothing is changed. What is
      replaced is kept beside the database as DB.replaced-YYYYMMDD-HHMMSS
      (with -2, -3 ... after a restore in the same second).
      A damaged database is moved there whole and made afresh; without a
      database file (a new computer) the database is created.
      The program may stay open; it sees the restored rows at once.
)";

namespace {

enum class Keeping { Nothing, Copied, MovedDamaged };

// The damaged database back from `kept` to where it was (after the one made
// afresh in its place is removed).
void moveBack(const QString& target, const QString& kept)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
        if (QFileInfo::exists(kept + suffix) && !QFile::rename(kept + suffix, target + suffix))
            throw Failure(QStringLiteral("nothing was restored, and the damaged database could not be put back: it is %1").arg(kept));
    }
}

// Named by the time of the restore; a second restore within the same second
// (a script's) gets "-2", and so on, so no kept state takes another's place.
QString keptName(const QString& target)
{
    const QString stamped = target + QStringLiteral(".replaced-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stamped;
    for (int next = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal")); ++next)
        name = stamped + QLatin1Char('-') + QString::number(next);
    return name;
}

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
        if (databasebackup::integrityProblems(connection).isEmpty()) {
            // As a backup is made: private while it is filled, put at its
            // name whole, and nothing left when it fails (a full disk).
            databasebackup::copyInto(connection, target, kept);
            return Keeping::Copied;
        }
    }
    for (const QString suffix : {QString(), QStringLiteral("-wal")}) {
        if (QFileInfo::exists(target + suffix) && !QFile::rename(target + suffix, kept + suffix)) {
            moveBack(target, kept);
            throw Failure(QStringLiteral("cannot move the damaged %1 aside; nothing was restored").arg(target));
        }
    }
    QFile::remove(target + QStringLiteral("-shm"));
    try {
        schema::createSqliteDatabase(target);
        sqlitefile::guardedAs(target, kept);  // open to whom the database was
    } catch (const Failure&) {
        sqlitefile::removeWithItsFiles(target);
        moveBack(target, kept);
        throw;
    }
    return Keeping::MovedDamaged;
}

// Undoes what keep() did, for a restore that put nothing in place.
void unkeep(Keeping keeping, const QString& target, const QString& kept)
{
    switch (keeping) {
    case Keeping::Nothing: sqlitefile::removeWithItsFiles(target); break;
    case Keeping::Copied: QFile::remove(kept); break;
    case Keeping::MovedDamaged:
        sqlitefile::removeWithItsFiles(target);
        moveBack(target, kept);
        break;
    }
}

// The backup's rows in place of the database's, all or none; the rows of each table counted.
QStringList putInPlace(const QString& target, const QString& backupFile, const programfile::Tables& tables)
{
    Connection connection;
    tooldb::open(connection, target);
    programfile::attach(connection, backupFile, QStringLiteral("restored"));
    RecordSet statement;
    QStringList counts;
    Transaction transaction(connection);
    billsums::changeManyLines(connection, [&] {
        for (const auto& [table, columns] : tables) {
            statement.open(QStringLiteral("DELETE FROM main.%1").arg(table), connection);
            try {
                statement.open(QStringLiteral("INSERT INTO main.%1 SELECT * FROM restored.%1").arg(table), connection);
            } catch (const DbError& error) {
                if (error.kind() != DbError::Kind::Constraint && error.kind() != DbError::Kind::Duplicate)
                    throw;
                throw Failure(QStringLiteral("%1 holds rows in %2 that this program's tables do not take (%3); nothing was restored")
                                  .arg(backupFile, table, dberrors::reason(error)));
            }
            statement.open(QStringLiteral("select count(*) from main.%1").arg(table), connection);
            counts << QStringLiteral("%1 %2").arg(table).arg(statement.field(0).toInt());
        }
    });
    transaction.commit();
    return counts;
}

}  // namespace

int restore(const tooldb::CommandLine& line, QTextStream& out)
{
    const QString backupFile = QFileInfo(line.words.first()).absoluteFilePath();
    const QString target = tooldb::file(line.database());
    if (!QFileInfo(backupFile).isFile())
        throw Failure(QStringLiteral("%1 does not exist").arg(backupFile));
    if (sqlitefile::sameFile(backupFile, target))
        throw Failure(QStringLiteral("%1 is the database itself").arg(backupFile));
    const programfile::Tables tables = programfile::checkedTables(backupFile, QStringLiteral("nothing was restored"));

    // Checked: what is replaced is kept, then the database takes the rows.
    // A restore stopped while it kept (killed, the power gone) left its copy
    // under a name of its own.
    sqlitefile::removeStoppedCopies(QFileInfo(target).absolutePath(),
                                    QRegularExpression::escape(QFileInfo(target).fileName()) + QStringLiteral("\\.replaced-[0-9-]+"));
    const QString kept = keptName(target);
    const Keeping keeping = keep(target, kept);
    QStringList counts;
    try {
        counts = putInPlace(target, backupFile, tables);
    } catch (const Failure&) {
        // Nothing was restored, so nothing stays changed: a copy left beside
        // the database would read as what a restore replaced.
        unkeep(keeping, target, kept);
        throw;
    }

    out << "Restored " << target << " from " << backupFile << " (rows: " << counts.join(QStringLiteral(", "))
        << ")\n";
    if (keeping == Keeping::Copied)
        out << "What it replaced is kept in " << kept << "\n";
    else if (keeping == Keeping::MovedDamaged)
        out << "The damaged database it replaced was moved to " << kept << "\n";
    return 0;
}
