#include "data/ReadTogether.h"

#include "data/RecordSet.h"

ReadTogether::ReadTogether(Connection& connection) : m_transaction(connection)
{
    // SQLite's write-ahead log gives a transaction's reads one snapshot by itself.
    if (connection.engine() == schema::Engine::Postgres)
        RecordSet().open(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"), connection);
}
