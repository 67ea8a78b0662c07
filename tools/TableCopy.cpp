#include "TableCopy.h"

#include "data/Connection.h"
#include "data/QueryRows.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"

#include <QHash>
#include <QStringList>
#include <QVariant>

namespace tablecopy {

namespace {

// Lines read at a time from a large result.
constexpr int Batch = 500;

// A value's bytes as every engine gives them alike, tagged by kind: a
// number as its double (exact for every 16-bit integer and every double),
// a date as its day number, a text as its length and characters.
void appendValue(QByteArray& row, const QVariant& value)
{
    const auto append = [&row](char kind, const void* bytes, qsizetype size) {
        row.append(kind);
        row.append(static_cast<const char*>(bytes), size);
    };
    if (!value.isValid() || value.isNull()) {
        row.append('0');
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const qint64 day = value.toDate().toJulianDay();
        append('D', &day, sizeof day);
        return;
    }
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble() + 0.0;  // -0 as 0
        append('N', &number, sizeof number);
        return;
    }
    default: {
        const QString text = value.toString();
        const qint64 length = text.size();
        append('T', &length, sizeof length);
        row.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    }
}

// A value as a literal of the statement that copies it: a double with the
// 17 digits that give back the same double.
QString literal(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("null");
    switch (value.metaType().id()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return sql::date(value.toDate());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    default:
        return sql::text(value.toString());
    }
}

// The tables in the order of their names, so that every run does the same.
QStringList tableNames()
{
    QStringList names = schema::columnNames().keys();
    names.sort();
    return names;
}

}  // namespace

Fingerprint fingerprintOf(const QString& statement, Connection& connection)
{
    Fingerprint fingerprint;
    QueryRows rows = QueryRows::run(statement, connection);
    QByteArray bytes;
    while (!rows.atEnd()) {
        for (const QVector<QVariant>& row : rows.fetch(Batch)) {
            bytes.clear();
            for (const QVariant& value : row)
                appendValue(bytes, value);
            ++fingerprint.lines;
            fingerprint.sum += qHashBits(bytes.constData(), size_t(bytes.size()), 0x5eed);
        }
    }
    return fingerprint;
}

void copyEveryTable(Connection& from, Connection& to)
{
    RecordSet statement;
    const QHash<QString, QStringList> tables = schema::columnNames();
    for (const QString& table : tableNames()) {
        const QString columns = tables.value(table).join(QStringLiteral(", "));
        QueryRows rows = QueryRows::run(QStringLiteral("select %1 from %2").arg(columns, table), from);
        while (!rows.atEnd()) {
            QStringList values;
            for (const QVector<QVariant>& row : rows.fetch(Batch)) {
                QStringList literals;
                for (const QVariant& value : row)
                    literals << literal(value);
                values << QLatin1Char('(') + literals.join(QLatin1Char(',')) + QLatin1Char(')');
            }
            if (!values.isEmpty())
                statement.open(QStringLiteral("insert into %1 (%2) values %3").arg(table, columns, values.join(QLatin1Char(','))),
                               to);
        }
    }
}

QString firstTableThatDiffers(Connection& first, Connection& second)
{
    const QHash<QString, QStringList> tables = schema::columnNames();
    for (const QString& table : tableNames()) {
        const QString statement =
            QStringLiteral("select %1 from %2").arg(tables.value(table).join(QStringLiteral(", ")), table);
        if (fingerprintOf(statement, first) != fingerprintOf(statement, second))
            return table;
    }
    return {};
}

}  // namespace tablecopy
