#include "data/RecordSet.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/QueryRows.h"

void RecordSet::open(const QString& statement, Connection& connection)
{
    close();
    QueryRows result = QueryRows::run(statement, connection);
    m_names = result.fieldNames();
    m_rows = result.fetch(-1);
    m_rowsAffected = result.rowsAffected();
    m_position = 0;
    m_open = true;
}

void RecordSet::close()
{
    m_open = false;
    m_names.clear();
    m_rows.clear();
    m_position = 0;
    m_rowsAffected = -1;
}

void RecordSet::moveNext()
{
    if (eof())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    ++m_position;
}

void RecordSet::requireRow() const
{
    if (!m_open)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."));
    if (eof())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

int RecordSet::indexOf(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant RecordSet::field(int position) const
{
    requireRow();
    if (position < 0 || position >= m_names.size())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return m_rows.at(m_position).at(position);
}

QVariant RecordSet::field(const QString& name) const
{
    requireRow();
    const int position = indexOf(name);
    if (position < 0)
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return m_rows.at(m_position).at(position);
}
