#include "ShopFileCopy.h"

#include "TableCopy.h"
#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/ErrorKinds.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/Schema.h"

#include <QFileInfo>

namespace shopfilecopy {

namespace {

const char* const NothingCopied = "nothing was copied";

}  // namespace

programfile::Tables openAlone(Connection& shop, const QString& file)
{
    if (const QString problem = tooldb::fileToReadProblem(file); !problem.isEmpty())
        throw Failure(QStringLiteral("%1; %2").arg(problem, QLatin1String(NothingCopied)));
    if (const QString problem = tooldb::archiveProblem(file); !problem.isEmpty())
        throw Failure(QStringLiteral("%1; %2").arg(problem, QLatin1String(NothingCopied)));
    const programfile::Tables tables = programfile::checkedTables(file, QLatin1String(NothingCopied));
    shop.open(schema::sqliteConnectionString(file, schema::Journal::AsTheFileHasIt));
    // In the exclusive locking mode the write lock, once taken, is kept until
    // the connection closes. The program keeps its file in the write-ahead
    // log, where every connection open to it holds a lock that the write
    // lock waits for: it is taken only while no program has the file open.
    RecordSet statement;
    try {
        statement.open(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"), shop);
        statement.open(QStringLiteral("BEGIN EXCLUSIVE"), shop);
        statement.open(QStringLiteral("COMMIT"), shop);
    } catch (const DbError& error) {
        if (error.kind() != DbError::Kind::Busy)
            throw Failure(QStringLiteral("cannot take %1 for the copy: %2; %3")
                              .arg(file, dberrors::reason(error), QLatin1String(NothingCopied)));
        throw Failure(QStringLiteral("%1 is open in the program (or in another command): close the program at this "
                                     "till, then run the command again; %2")
                          .arg(file, QLatin1String(NothingCopied)));
    }
    return tables;
}

QStringList createAndCopy(Connection& shop, const programfile::Tables& tables, Connection& server)
{
    QStringList counts;
    try {
        schema::createServerTables(server, [&] {
            RecordSet statement;
            statement.open(QStringLiteral("delete from UserTable"), server);
            billsums::fillNewDatabase(server, [&] { tablecopy::copyEveryTable(shop, server); });
            const QString differs = tablecopy::firstTableThatDiffers(shop, server);
            if (!differs.isEmpty())
                throw Failure(QStringLiteral("the server's table %1 would not hold what the file's holds"
                                             " (a value the server keeps otherwise)")
                                  .arg(differs));
            for (const auto& table : tables) {
                statement.open(QStringLiteral("select count(*) from %1").arg(table.first), server);
                counts << QStringLiteral("%1 %2").arg(table.first).arg(statement.field(0).toLongLong());
            }
        });
    } catch (const Failure& failure) {
        throw Failure(QStringLiteral("cannot copy the file into the server: %1; %2, and the server's database is "
                                     "left without tables")
                          .arg(dberrors::reason(failure), QLatin1String(NothingCopied)));
    }
    return counts;
}

}  // namespace shopfilecopy
