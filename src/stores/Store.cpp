#include "stores/Store.h"

#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/DbError.h"
#include "data/QueryRows.h"
#include "data/RecordSet.h"

namespace stores {

Store::Store() : m_own(std::make_unique<Connection>()), m_connection(m_own.get())
{
    m_own->keepOpen();
}

Store::Store(Connection& connection) : m_connection(&connection) {}

Store::Store(SharedConnection) : Store(Connectionx::sharedConnection()) {}

Store::~Store() = default;

void Store::open() const
{
    m_connection->open();
}

bool Store::isOpen() const
{
    return m_connection->isOpen();
}

void Store::close() const
{
    m_connection->release();
}

QStringList Store::entries(const QString& statement) const
{
    QueryRows rows = QueryRows::run(statement, *m_connection);
    if (rows.fieldNames().isEmpty())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return rows.fetchTexts(0, shown::text);
}

QVariant Store::firstValue(const QString& statement) const
{
    RecordSet result;
    result.open(statement, *m_connection);
    return result.field(0);
}

PagedRows Store::pagedRows(const QString& statement) const
{
    if (!m_gridConnection) {
        m_gridConnection = std::make_shared<Connection>();
        m_gridConnection->keepOpen();
    }
    return PagedRows::read(statement, m_gridConnection);
}

void Store::run(const QString& statement) const
{
    RecordSet result;
    result.open(statement, *m_connection);
}

}  // namespace stores
