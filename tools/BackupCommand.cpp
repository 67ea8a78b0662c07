#include "BackupCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/DatabaseBackup.h"
#include "data/Connection.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

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
    Connection connection;
    tooldb::open(connection, line.database());
    databasebackup::copyInto(connection, source, target);
    out << "Backed up " << source << " to " << target << " (" << QFileInfo(target).size() << " bytes)\n";
    return 0;
}
