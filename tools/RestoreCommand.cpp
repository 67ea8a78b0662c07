#include "RestoreCommand.h"

#include "ProgramFile.h"
#include "ToolDatabase.h"
#include "core/Failure.h"
#include "core/WholeFile.h"
#include "data/AdminTool.h"
#include "data/DatabaseBackup.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"
#include "data/WritableFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <unistd.h>

const char* const RestoreHelp = R"(  restore FILE [--database DB]
      Puts the backup FILE in place of the database's contents. FILE must be
      a database with every table of this program, column for column, and
      pass SQLite's integrity check, and be no closed year's archive;
      otherwise nothing is changed. What is
      replaced is kept beside the database as DB.replaced-YYYYMMDD-HHMMSS
      (with -2, -3 ... after a restore in the same second).
      A damaged database is kept there whole, and a new one holding the
      backup's rows takes its name; without a database file (a new computer)
      that new database is created.
      The program may stay open: a till storing a line waits while the
      database is kept and replaced (or is told it is busy), and sees the
      restored rows at once (after a damaged database was restored, start
      it again).
)";

namespace {

enum class Keeping { Nothing, Copied, MovedDamaged };

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

// The restored database, made under a name of its own, takes the database's
// name in one step. Where there was none, a link puts it there, never over a
// database made meanwhile (a first start). A damaged file is kept first under
// `kept` (a second name of the same file; a copy on a disk without links),
// with its log, and the restored one is renamed over it: no moment leaves
// the name without a database, or the restored file beside the damaged one's log.
void putRestoredAt(const QString& made, const QString& target, const QString& kept)
{
    if (kept.isEmpty()) {
        sqlitefile::putWhereNoneIs(made, target);
        return;
    }
    const QString keepingFailed = QStringLiteral("cannot keep the damaged %1 as %2; nothing was restored").arg(target, kept);
    const QStringList logs{QStringLiteral("-wal"), QStringLiteral("-journal")};
    QStringList moved;
    const auto putBack = [&] {
        for (const QString& log : moved)
            QFile::rename(kept + log, target + log);
        QFile::remove(kept);
    };
    if (::link(QFile::encodeName(target).constData(), QFile::encodeName(kept).constData()) != 0
        && !QFile::copy(target, kept))
        throw Failure(keepingFailed);
    for (const QString& log : logs) {
        if (!sqlitefile::nameTaken(target + log))
            continue;
        if (!QFile::rename(target + log, kept + log)) {
            putBack();
            throw Failure(keepingFailed);
        }
        moved << log;
    }
    QFile::remove(target + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(made).constData(), QFile::encodeName(target).constData()) != 0) {
        putBack();
        throw Failure(QStringLiteral("cannot put the restored database at %1; nothing was restored").arg(target));
    }
}

// The backup's rows in place of the database's, all or none; the rows of
// each table counted. keepFirst keeps the database's state before, under
// the write lock, taken first: a till storing a line meanwhile waits, and
// what it stored is in the copy kept or comes after the restore.
QStringList putInPlace(Connection& connection, const QString& backupFile, const programfile::Tables& tables,
                       const std::function<void()>& keepFirst = {})
{
    programfile::attach(connection, backupFile, QStringLiteral("restored"));
    RecordSet statement;
    QStringList counts;
    Transaction transaction(connection);
    if (keepFirst) {
        statement.open(QStringLiteral("delete from main.ItemIn where 1 = 0"), connection);
        keepFirst();
    }
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
    if (const QString problem = tooldb::fileToReadProblem(backupFile); !problem.isEmpty())
        throw Failure(problem);
    if (sqlitefile::sameFile(backupFile, target))
        throw Failure(QStringLiteral("%1 is the database itself").arg(backupFile));
    // An archive holds only the closed year: the books since would be lost.
    if (const QString problem = tooldb::archiveProblem(backupFile); !problem.isEmpty())
        throw Failure(problem + QStringLiteral("; nothing was restored"));
    // And it is the only place of that year's documents.
    if (sqlitefile::isArchive(target))
        throw Failure(QStringLiteral("%1 is a closed year's archive, which a restore never replaces; nothing was restored")
                          .arg(target));
    // A restore stopped part-way (killed, the power gone) left its copies
    // under names of their own, taken away below.
    const QString stoppedCopies = QRegularExpression::escape(QFileInfo(target).fileName())
        + QStringLiteral("(?:\\.replaced-[0-9-]+|\\.partial-\\d+)?");
    const QFileInfo chosen(fileBehindLink(backupFile));  // a link's name says nothing of the file
    if (sqlitefile::sameFile(chosen.absolutePath(), QFileInfo(target).absolutePath())
        && QRegularExpression(QStringLiteral("^(?:%1)\\.partial-\\d+$").arg(stoppedCopies)).match(chosen.fileName()).hasMatch())
        throw Failure(QStringLiteral("%1 is named as what a stopped restore leaves, which the restore takes away; give "
                                     "it another name first; nothing was restored")
                          .arg(backupFile));
    const programfile::Tables tables = programfile::checkedTables(backupFile, QStringLiteral("nothing was restored"));

    // Checked: what is replaced is kept, then the database takes the rows.
    sqlitefile::removeStoppedCopies(QFileInfo(target).absolutePath(), stoppedCopies);
    QString kept;
    Keeping keeping = Keeping::Copied;
    QStringList counts;
    // The database's present state kept in `kept` when it is one SQLite can
    // copy (the program may be writing it), as a backup is made: private while
    // it is filled, put at its name whole, nothing left when it fails (a full
    // disk). None there, or one too damaged to copy, is replaced below.
    Connection connection;
    bool sound = QFileInfo::exists(target);
    if (sound) {
        tooldb::open(connection, target);
        sound = databasebackup::integrityProblems(connection).isEmpty();
    }
    if (sound) {
        try {
            counts = putInPlace(connection, backupFile, tables, [&] {
                // Named under the lock: another restore's copy, kept a moment
                // ago, has its name by then, and keeps it.
                kept = keptName(target);
                Connection copier;  // a reader beside the write lock
                tooldb::open(copier, target);
                databasebackup::copyInto(copier, target, kept);
            });
        } catch (const Failure&) {
            // Nothing was restored, so nothing stays changed: a copy left beside
            // the database would read as what a restore replaced.
            if (!kept.isEmpty())
                QFile::remove(kept);
            throw;
        }
    }
    connection.close();
    if (!sound) {
        // None there (a new computer), or one too damaged to copy: a new
        // database takes the backup's rows, then the name.
        keeping = QFileInfo::exists(target) ? Keeping::MovedDamaged : Keeping::Nothing;
        kept = keptName(target);
        if (QFileInfo::exists(QFileInfo(target).absolutePath()))
            if (const QString problem = writablefiles::newFileProblem(target); !problem.isEmpty())
                throw Failure(problem + QStringLiteral("; nothing was restored"));
        const QString made = sqlitefile::partialName(target);
        sqlitefile::removeWithItsFiles(made);
        schema::createSqliteDatabase(made);
        try {
            Connection filling;
            tooldb::open(filling, made);
            counts = putInPlace(filling, backupFile, tables);
            filling.close();
            if (sqlitefile::logLeftBeside(made))
                throw Failure(QStringLiteral("cannot write the whole of the restored database (the disk may be full); "
                                             "nothing was restored"));
            if (keeping == Keeping::MovedDamaged)
                sqlitefile::guardedAs(made, target);  // open to whom the database was
            putRestoredAt(made, target, keeping == Keeping::MovedDamaged ? kept : QString());
        } catch (const Failure&) {
            sqlitefile::removeWithItsFiles(made);
            throw;
        }
    }

    out << "Restored " << target << " from " << backupFile << " (rows: " << counts.join(QStringLiteral(", "))
        << ")\n";
    if (keeping == Keeping::Copied)
        out << "What it replaced is kept in " << kept << "\n";
    else if (keeping == Keeping::MovedDamaged)
        out << "The damaged database it replaced was moved to " << kept << "\n";
    return 0;
}
