#include "data/RowBlock.h"

#include "data/ErrorKinds.h"
#include "data/OdbcValues.h"

#include <QSqlError>

#include <algorithm>
#include <cstring>
#include <sql.h>
#include <sqlext.h>
#include <type_traits>

static_assert(std::is_same_v<SQLLEN, long> && std::is_same_v<SQLULEN, unsigned long>
                  && std::is_same_v<SQLUSMALLINT, unsigned short>,
              "the buffers are declared with the driver manager's own types");

namespace {

// Characters a text's buffer holds: most of the tables' texts fit, a longer
// one is read again by itself.
constexpr int ShortestText = 16;
constexpr int LongestText = 256;

long textWidth(int length, bool wideText)
{
    const int characters = length > 0 ? std::clamp(length, ShortestText, LongestText) : LongestText;
    // UTF-8 takes up to three bytes for a character of the basic plane; the
    // buffer holds the terminating NUL too.
    return wideText ? long(characters + 1) * long(sizeof(SQLWCHAR)) : long(characters) * 3 + 1;
}

// A fetch that failed, as the driver tells it: the rows read so far are
// not the whole result.
DbError fetchFailure(SQLHSTMT statement)
{
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(SQL_HANDLE_STMT, statement, 1, state, &native, message, sizeof message, &length)))
        return DbError(QStringLiteral("The driver could not read the rows to their end."));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(message)).trimmed();
    return dberrors::fromSqlError(QSqlError(QString(), text, QSqlError::StatementError, QString::number(native)),
                                  QString::fromLatin1(reinterpret_cast<const char*>(state)));
}

}  // namespace

std::unique_ptr<RowBlock> RowBlock::bind(void* connection, void* statement, const QVector<int>& types,
                                         const QVector<int>& lengths, bool wideText)
{
    if (!connection || !statement)
        return {};
    SQLUINTEGER extensions = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(static_cast<SQLHDBC>(connection), SQL_GETDATA_EXTENSIONS, &extensions,
                                  sizeof extensions, nullptr))
        || !(extensions & SQL_GD_BOUND))
        return {};
    const int rows = (extensions & SQL_GD_BLOCK) ? BlockRows : 1;
    std::unique_ptr<RowBlock> block(new RowBlock(statement, rows, wideText));
    if (!block->bindColumns(types, lengths)) {
        auto* handle = static_cast<SQLHSTMT>(statement);
        SQLFreeStmt(handle, SQL_UNBIND);
        SQLSetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
        SQLSetStmtAttr(handle, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
        SQLSetStmtAttr(handle, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
        return {};
    }
    return block;
}

RowBlock::RowBlock(void* statement, int rows, bool wideText)
    : m_statement(statement), m_size(rows), m_wideText(wideText), m_status(size_t(rows), SQL_ROW_NOROW)
{
}

bool RowBlock::bindColumns(const QVector<int>& types, const QVector<int>& lengths)
{
    auto* statement = static_cast<SQLHSTMT>(m_statement);
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0))
        || !SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE,
                                         reinterpret_cast<SQLPOINTER>(SQLULEN(m_size)), 0))
        || !SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, &m_fetched, 0))
        || !SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROW_STATUS_PTR, m_status.data(), 0)))
        return false;
    m_columns.resize(size_t(types.size()));
    for (int i = 0; i < types.size(); ++i) {
        Column& column = m_columns[size_t(i)];
        const odbcvalues::CValue c = odbcvalues::cValueOf(types[i], m_wideText);
        column.type = types[i];
        column.cType = c.cType;
        column.width = odbcvalues::isText(types[i]) ? textWidth(lengths.value(i), m_wideText) : c.size;
        column.data.reset(new char[size_t(column.width) * size_t(m_size)]);
        column.indicators.reset(new long[size_t(m_size)]);
        if (!SQL_SUCCEEDED(SQLBindCol(statement, SQLUSMALLINT(i + 1), column.cType, column.data.get(),
                                      column.width, column.indicators.get())))
            return false;
    }
    return true;
}

bool RowBlock::next()
{
    if (++m_row < m_fetched)
        return true;
    m_row = 0;
    m_fetched = 0;
    const auto statement = static_cast<SQLHSTMT>(m_statement);
    const SQLRETURN fetched = SQLFetch(statement);
    if (fetched == SQL_NO_DATA)
        return false;
    if (!SQL_SUCCEEDED(fetched))
        throw fetchFailure(statement);
    return m_fetched > 0;
}

QVariant RowBlock::value(int column) const
{
    const Column& c = m_columns[size_t(column)];
    if (readAgain(column))
        return readSingly(column);
    const long indicator = c.indicators[m_row];
    const char* data = c.data.get() + m_row * size_t(c.width);
    if (!odbcvalues::isText(c.type))
        return odbcvalues::fromC(c.type, data, indicator == SQL_NULL_DATA);
    if (indicator == SQL_NULL_DATA)
        return {};  // QODBC gives a null text as an invalid value
    return odbcvalues::fromText(data, indicator, m_wideText);
}

QString RowBlock::text(int column) const
{
    const Column& c = m_columns[size_t(column)];
    if (readAgain(column))
        return readSingly(column).toString();
    const long indicator = c.indicators[m_row];
    const char* data = c.data.get() + m_row * size_t(c.width);
    if (indicator == SQL_NULL_DATA)
        return {};
    if (c.cType == SQL_C_SLONG) {
        SQLINTEGER number = 0;
        std::memcpy(&number, data, sizeof number);
        return QString::number(number);
    }
    return odbcvalues::isText(c.type) ? odbcvalues::fromText(data, indicator, m_wideText) : value(column).toString();
}

// A row the driver could not convert, or a text longer than its buffer.
bool RowBlock::readAgain(int column) const
{
    if (m_status[m_row] == SQL_ROW_ERROR)
        return true;
    const Column& c = m_columns[size_t(column)];
    const long indicator = c.indicators[m_row];
    return odbcvalues::isText(c.type) && (indicator == SQL_NO_TOTAL || indicator >= c.width);
}

QVariant RowBlock::readSingly(int column) const
{
    auto* statement = static_cast<SQLHSTMT>(m_statement);
    if (m_size > 1
        && !SQL_SUCCEEDED(SQLSetPos(statement, SQLSETPOSIROW(m_row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE)))
        return {};
    return odbcvalues::read(statement, column, m_columns[size_t(column)].type, m_wideText);
}
