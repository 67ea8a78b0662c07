#include "data/QueryRows.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/OdbcHandles.h"
#include "data/Statement.h"

#include <QDate>
#include <QDateTime>
#include <QSqlField>
#include <QSqlRecord>
#include <QTime>
#include <sql.h>
#include <sqlext.h>
#include <string>

namespace {

// The column types whose values are read directly, as QODBC reads them.
bool readableDirectly(int type)
{
    switch (type) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
        return true;
    default:
        return false;
    }
}

template <class Number>
bool readValue(SQLHSTMT statement, int column, SQLSMALLINT cType, Number& value, bool& isNull)
{
    SQLLEN indicator = 0;
    const SQLRETURN r = SQLGetData(statement, SQLUSMALLINT(column + 1), cType, &value, sizeof value, &indicator);
    isNull = indicator == SQL_NULL_DATA;
    return SQL_SUCCEEDED(r);
}

// A number as QODBC gives it: invalid when the read fails, a null of nullType
// for a null.
template <class CValue, class Value>
QVariant number(SQLHSTMT statement, int column, SQLSMALLINT cType, QMetaType nullType)
{
    CValue value{};
    bool isNull = false;
    if (!readValue(statement, column, cType, value, isNull))
        return {};
    return isNull ? QVariant(nullType) : QVariant::fromValue(Value(value));
}

// Text of any length, read in pieces when it is longer than the buffer: as
// UTF-8 (SQLite's own) or as UTF-16 (the wide characters a Unicode driver
// gives without a conversion to the locale's).
template <class Unit>
QVariant getText(SQLHSTMT statement, int column)
{
    constexpr SQLSMALLINT cType = sizeof(Unit) == 1 ? SQL_C_CHAR : SQL_C_WCHAR;
    const auto decoded = [](const Unit* units, qsizetype count) {
        if constexpr (sizeof(Unit) == 1)
            return QString::fromUtf8(units, count);
        else
            return QString::fromUtf16(reinterpret_cast<const char16_t*>(units), count);
    };
    constexpr SQLLEN Units = 512 / SQLLEN(sizeof(Unit));
    constexpr SQLLEN Bytes = Units * SQLLEN(sizeof(Unit));
    Unit buffer[Units];
    SQLLEN indicator = 0;
    SQLRETURN r = SQLGetData(statement, SQLUSMALLINT(column + 1), cType, buffer, Bytes, &indicator);
    if (!SQL_SUCCEEDED(r))
        return {};
    if (indicator == SQL_NULL_DATA)
        return {};  // QODBC gives a null text as an invalid value
    if (r == SQL_SUCCESS && indicator >= 0 && indicator < Bytes)
        return decoded(buffer, qsizetype(indicator / SQLLEN(sizeof(Unit))));

    // Truncated: what came is the buffer less its terminating NUL.
    std::basic_string<Unit> text(buffer, Units - 1);
    for (;;) {
        r = SQLGetData(statement, SQLUSMALLINT(column + 1), cType, buffer, Bytes, &indicator);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            return {};
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= Bytes;
        text.append(buffer, truncated ? size_t(Units - 1) : size_t(indicator / SQLLEN(sizeof(Unit))));
        if (!truncated)
            break;
    }
    return decoded(text.data(), qsizetype(text.size()));
}

}  // namespace

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
    m_wideText = engine == QLatin1String("PostgreSQL");
    bool direct = reading == Reading::Fastest && (engine == QLatin1String("SQLite") || m_wideText)
        && m_query.numericalPrecisionPolicy() == QSql::LowPrecisionDouble;
    for (int i = 0; i < record.count(); ++i) {
        m_names << record.fieldName(i);
        m_types << record.field(i).metaType().id();
        direct = direct && readableDirectly(m_types.last());
    }
    m_names = connection.dialect().resultNames(m_query.lastQuery(), m_names);
    if (direct)
        m_statement = odbchandles::statement(m_query);
}

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
            row[column] = m_statement ? readDirectly(column) : m_query.value(column);
        rows << row;
    }
    return rows;
}

QStringList QueryRows::fetchTexts(int column, const std::function<QString(const QVariant&)>& textOf)
{
    QStringList texts;
    const int type = m_types.value(column, QMetaType::UnknownType);
    auto* statement = static_cast<SQLHSTMT>(m_statement);
    while (!m_atEnd) {
        if (!nextRow()) {
            finish();
            break;
        }
        if (statement && (type == QMetaType::Int || type == QMetaType::Short)) {
            SQLINTEGER value = 0;
            bool isNull = false;
            if (readValue(statement, column, SQL_C_SLONG, value, isNull))
                texts << (isNull ? QString() : QString::number(value));
            else
                texts << textOf(QVariant());
        } else if (statement && type == QMetaType::QString) {
            texts << text(column).toString();
        } else {
            texts << textOf(statement ? readDirectly(column) : m_query.value(column));
        }
    }
    return texts;
}

// Read directly, the statement moves on by itself: the query's own
// bookkeeping of each row is not wanted, as its values are not read there.
bool QueryRows::nextRow()
{
    if (!m_statement)
        return m_query.next();
    return SQL_SUCCEEDED(SQLFetch(static_cast<SQLHSTMT>(m_statement)));
}

void QueryRows::finish()
{
    m_atEnd = true;
    m_statement = nullptr;
    m_query = QSqlQuery();
}

// As QODBC reads each type: a failed read is an invalid QVariant, a null one a
// null of the column's value type (text: invalid too).
QVariant QueryRows::readDirectly(int column) const
{
    auto* statement = static_cast<SQLHSTMT>(m_statement);
    bool isNull = false;  // dates and times
    switch (m_types.at(column)) {
    case QMetaType::Short:
    case QMetaType::Int:
        return number<SQLINTEGER, int>(statement, column, SQL_C_SLONG, QMetaType::fromType<int>());
    case QMetaType::UShort:
    case QMetaType::UInt:
        return number<SQLUINTEGER, uint>(statement, column, SQL_C_ULONG, QMetaType::fromType<int>());
    case QMetaType::LongLong:
        return number<SQLBIGINT, qint64>(statement, column, SQL_C_SBIGINT, QMetaType::fromType<qlonglong>());
    case QMetaType::ULongLong:
        return number<SQLUBIGINT, quint64>(statement, column, SQL_C_UBIGINT, QMetaType::fromType<qulonglong>());
    case QMetaType::Double:
        return number<double, double>(statement, column, SQL_C_DOUBLE, QMetaType::fromType<double>());
    case QMetaType::QDate: {
        DATE_STRUCT value{};
        if (!readValue(statement, column, SQL_C_DATE, value, isNull) || isNull)
            return QVariant(QMetaType::fromType<QDate>());
        return QDate(value.year, value.month, value.day);
    }
    case QMetaType::QTime: {
        TIME_STRUCT value{};
        if (!readValue(statement, column, SQL_C_TIME, value, isNull) || isNull)
            return QVariant(QMetaType::fromType<QTime>());
        return QTime(value.hour, value.minute, value.second);
    }
    case QMetaType::QDateTime: {
        TIMESTAMP_STRUCT value{};
        if (!readValue(statement, column, SQL_C_TIMESTAMP, value, isNull) || isNull)
            return QVariant(QMetaType::fromType<QDateTime>());
        return QDateTime(QDate(value.year, value.month, value.day),
                         QTime(value.hour, value.minute, value.second, int(value.fraction / 1000000)));
    }
    default:
        return text(column);
    }
}

QVariant QueryRows::text(int column) const
{
    auto* statement = static_cast<SQLHSTMT>(m_statement);
    return m_wideText ? getText<SQLWCHAR>(statement, column) : getText<char>(statement, column);
}
