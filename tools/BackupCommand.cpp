#include "BackupCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

const char* const BackupHelp = R"(  backup FILE [--database DB]
      Copies the database into FILE while the program may be running: the
      copy is one moment's state, every committed line in it, taken by the
      database itself (never a copy of the file). The copy is checked before
      it replaces an older FILE. A backup every evening, one file a day
      (a line for "crontab -e"; the README also tells how to keep 30 days):
        30 21 * * * %1 backup $HOME/bill-backups/Bill-$(date +\%F).db
)";

int backup(const tooldb::CommandLine& line, QTextStream& out)
{
    const QString target = QFileInfo(line.words.first()).absoluteFilePath();
    const QString source = tooldb::file(line.database());
    if (tooldb::sameFile(target, source))
        throw Failure(QStringLiteral("the backup cannot be the database itself (%1)").arg(source));
    if (!QFileInfo(target).absoluteDir().exists())
        throw Failure(QStringLiteral("the folder of %1 does not exist").arg(target));

    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);  // left by a backup that was stopped
    Connection connection;
    tooldb::open(connection, line.database());
    RecordSet statement;
    try {
        statement.open(QStringLiteral("VACUUM INTO ") + sql::text(partial), connection);
        sqlitefile::guardedAs(partial, source);
        statement.open(QStringLiteral("ATTACH DATABASE ") + sql::text(sqlitefile::uri(partial, sqlitefile::Access::ReadOnly))
                           + QStringLiteral(" AS copy"),
                       connection);
        const QStringList problems = tooldb::integrityProblems(connection, QStringLiteral("copy"));
        statement.open(QStringLiteral("DETACH DATABASE copy"), connection);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("the copy failed its check (%1)").arg(problems.first()));
        tooldb::syncToDisk(partial);
        if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0)
            throw Failure(QStringLiteral("cannot put the copy at %1").arg(target));
        tooldb::syncToDisk(QFileInfo(target).absolutePath());
    } catch (const Failure&) {
        QFile::remove(partial);
        throw;
    }
    out << "Backed up " << source << " to " << target << " (" << QFileInfo(target).size() << " bytes)\n";
    return 0;
}
