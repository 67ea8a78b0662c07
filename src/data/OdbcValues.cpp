#include "data/OdbcValues.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstring>
#include <sql.h>
#include <sqlext.h>
#include <string>

namespace odbcvalues {

namespace {

template <class C>
C at(const void* data)
{
    C value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <class C, class Value>
QVariant number(const void* data, bool isNull, QMetaType nullType)
{
    return isNull ? QVariant(nullType) : QVariant::fromValue(Value(at<C>(data)));
}

template <class Unit>
QVariant getText(SQLHSTMT statement, int column)
{
    constexpr SQLSMALLINT cType = sizeof(Unit) == 1 ? SQL_C_CHAR : SQL_C_WCHAR;
    constexpr bool wide = sizeof(Unit) > 1;
    constexpr SQLLEN Units = 512 / SQLLEN(sizeof(Unit));
    constexpr SQLLEN Bytes = Units * SQLLEN(sizeof(Unit));
    Unit buffer[Units];
    SQLLEN indicator = 0;
    SQLRETURN r = SQLGetData(statement, SQLUSMALLINT(column + 1), cType, buffer, Bytes, &indicator);
    if (!SQL_SUCCEEDED(r) || indicator == SQL_NULL_DATA)
        return {};
    if (r == SQL_SUCCESS && indicator >= 0 && indicator < Bytes)
        return fromText(buffer, indicator, wide);

    // Truncated: what came is the buffer less its terminating NUL. When the
    // driver tells the whole length, the rest comes in one call: the SQLite
    // driver measures what is left of a text at every call, so reading a long
    // one (a joined list of numbers) in small pieces costs its length squared.
    std::basic_string<Unit> text(buffer, Units - 1);
    std::basic_string<Unit> piece(size_t(Units), Unit(0));
    if (indicator != SQL_NO_TOTAL && indicator / SQLLEN(sizeof(Unit)) >= Units)
        piece.resize(size_t(indicator / SQLLEN(sizeof(Unit))) - text.size() + 1);
    for (;;) {
        const SQLLEN room = SQLLEN(piece.size() * sizeof(Unit));
        r = SQLGetData(statement, SQLUSMALLINT(column + 1), cType, piece.data(), room, &indicator);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            return {};
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= room;
        text.append(piece.data(), truncated ? piece.size() - 1 : size_t(indicator / SQLLEN(sizeof(Unit))));
        if (!truncated)
            break;
    }
    return fromText(text.data(), qint64(text.size() * sizeof(Unit)), wide);
}

}  // namespace

bool readable(int type)
{
    return isText(type) || cValueOf(type, false).cType != SQL_C_CHAR;
}

bool isText(int type)
{
    return type == QMetaType::QString;
}

CValue cValueOf(int type, bool wideText)
{
    switch (type) {
    case QMetaType::Short:
    case QMetaType::Int:
        return {SQL_C_SLONG, sizeof(SQLINTEGER)};
    case QMetaType::UShort:
    case QMetaType::UInt:
        return {SQL_C_ULONG, sizeof(SQLUINTEGER)};
    case QMetaType::LongLong:
        return {SQL_C_SBIGINT, sizeof(SQLBIGINT)};
    case QMetaType::ULongLong:
        return {SQL_C_UBIGINT, sizeof(SQLUBIGINT)};
    case QMetaType::Double:
        return {SQL_C_DOUBLE, sizeof(double)};
    case QMetaType::QDate:
        return {SQL_C_DATE, sizeof(DATE_STRUCT)};
    case QMetaType::QTime:
        return {SQL_C_TIME, sizeof(TIME_STRUCT)};
    case QMetaType::QDateTime:
        return {SQL_C_TIMESTAMP, sizeof(TIMESTAMP_STRUCT)};
    default:
        return wideText ? CValue{SQL_C_WCHAR, sizeof(SQLWCHAR)} : CValue{SQL_C_CHAR, 1};
    }
}

QVariant fromC(int type, const void* data, bool isNull)
{
    switch (type) {
    case QMetaType::Short:
    case QMetaType::Int:
        return number<SQLINTEGER, int>(data, isNull, QMetaType::fromType<int>());
    case QMetaType::UShort:
    case QMetaType::UInt:
        return number<SQLUINTEGER, uint>(data, isNull, QMetaType::fromType<int>());
    case QMetaType::LongLong:
        return number<SQLBIGINT, qint64>(data, isNull, QMetaType::fromType<qlonglong>());
    case QMetaType::ULongLong:
        return number<SQLUBIGINT, quint64>(data, isNull, QMetaType::fromType<qulonglong>());
    case QMetaType::Double:
        return number<double, double>(data, isNull, QMetaType::fromType<double>());
    case QMetaType::QDate: {
        if (isNull)
            return QVariant(QMetaType::fromType<QDate>());
        const auto value = at<DATE_STRUCT>(data);
        return QDate(value.year, value.month, value.day);
    }
    case QMetaType::QTime: {
        if (isNull)
            return QVariant(QMetaType::fromType<QTime>());
        const auto value = at<TIME_STRUCT>(data);
        return QTime(value.hour, value.minute, value.second);
    }
    case QMetaType::QDateTime: {
        if (isNull)
            return QVariant(QMetaType::fromType<QDateTime>());
        const auto value = at<TIMESTAMP_STRUCT>(data);
        return QDateTime(QDate(value.year, value.month, value.day),
                         QTime(value.hour, value.minute, value.second, int(value.fraction / 1000000)));
    }
    default:
        return {};
    }
}

QString fromText(const void* units, qint64 bytes, bool wideText)
{
    if (wideText)
        return QString::fromUtf16(static_cast<const char16_t*>(units), qsizetype(bytes / 2));
    return QString::fromUtf8(static_cast<const char*>(units), qsizetype(bytes));
}

QVariant read(void* handle, int column, int type, bool wideText)
{
    auto* statement = static_cast<SQLHSTMT>(handle);
    if (isText(type))
        return wideText ? getText<SQLWCHAR>(statement, column) : getText<char>(statement, column);
    const CValue c = cValueOf(type, wideText);
    alignas(8) char data[sizeof(TIMESTAMP_STRUCT)] = {};
    SQLLEN indicator = 0;
    if (SQL_SUCCEEDED(SQLGetData(statement, SQLUSMALLINT(column + 1), c.cType, data, c.size, &indicator)))
        return fromC(type, data, indicator == SQL_NULL_DATA);
    // A failed read: a number is invalid, a date or time a null one.
    return c.cType == SQL_C_DATE || c.cType == SQL_C_TIME || c.cType == SQL_C_TIMESTAMP ? fromC(type, data, true)
                                                                                     : QVariant();
}

}  // namespace odbcvalues
