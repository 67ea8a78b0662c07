#include "data/QueryRows.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/ErrorKinds.h"
#include "data/OdbcHandles.h"
#include "data/OdbcValues.h"
#include "data/RowBlock.h"
#include "data/Statement.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

QueryRows::QueryRows(QSqlQuery query, const Connection& connection, Reading reading)
    : m_query(std::move(query))
{
    m_select = m_query.isSelect();
    m_atEnd = !m_select;
    if (!m_select) {
        m_rowsAffected = m_query.numRowsAffected();
        return;
    }
    const QSqlRecord record = m_query.record();
    const QString engine = connection.dialect().engine();
    const bool wideText = engine == QLatin1String("PostgreSQL");
    bool direct = reading == Reading::Fastest && (engine == QLatin1String("SQLite") || wideText)
        && m_query.numericalPrecisionPolicy() == QSql::LowPrecisionDouble;
    QVector<int> lengths;
    for (int i = 0; i < record.count(); ++i) {
        m_names << record.fieldName(i);
        m_types << record.field(i).metaType().id();
        lengths << record.field(i).length();
        direct = direct && odbcvalues::readable(m_types.last());
    }
    m_names = connection.dialect().resultNames(m_query.lastQuery(), m_names);
    if (direct)
        m_block = RowBlock::bind(odbchandles::connection(connection.database()), odbchandles::statement(m_query),
                                 m_types, lengths, wideText);
}

QueryRows::QueryRows(QueryRows&&) noexcept = default;
QueryRows& QueryRows::operator=(QueryRows&&) noexcept = default;
QueryRows::~QueryRows() = default;

QueryRows QueryRows::run(const QString& text, Connection& connection)
{
    return QueryRows(statement::execute(text, connection), connection);
}

QVector<QVector<QVariant>> QueryRows::fetch(int count)
{
    QVector<QVector<QVariant>> rows;
    if (count > 0)
        rows.reserve(count);
    const int columns = int(m_names.size());
    while (!m_atEnd && (count < 0 || rows.size() < count)) {
        if (!nextRow()) {
            finish();
            break;
        }
        QVector<QVariant> row(columns);
        for (int column = 0; column < columns; ++column)
            row[column] = m_block ? m_block->value(column) : m_query.value(column);
        rows << row;
    }
    return rows;
}

QStringList QueryRows::fetchTexts(int column, const std::function<QString(const QVariant&)>& textOf)
{
    QStringList texts;
    const int type = m_types.value(column, QMetaType::UnknownType);
    const bool plain = m_block && (type == QMetaType::Int || type == QMetaType::Short || type == QMetaType::QString);
    while (!m_atEnd) {
        if (!nextRow()) {
            finish();
            break;
        }
        texts << (plain ? m_block->text(column) : textOf(m_block ? m_block->value(column) : m_query.value(column)));
    }
    return texts;
}

// A failed fetch is not the end of the rows: it is told, never taken for a
// shorter result.
bool QueryRows::nextRow()
{
    if (m_block)
        return m_block->next();
    if (m_query.next())
        return true;
    if (m_query.lastError().isValid())
        throw dberrors::fromSqlError(m_query.lastError(), odbchandles::statementState(m_query));
    return false;
}

// The statement goes before the buffers bound to it.
void QueryRows::finish()
{
    m_atEnd = true;
    m_query = QSqlQuery();
    m_block.reset();
}
