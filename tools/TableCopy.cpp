#include "TableCopy.h"

#include "core/Failure.h"
#include "data/Connection.h"
#include "data/QueryRows.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <cmath>
#include <functional>

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

// A value as SQLite's quote() writes it, taken as the value it stands for.
// The driver's own reading would give a double to 15 digits, a whole number
// for a real in a SMALLINT column, a number or nothing for a text in a number
// column, and a date for a text in a date column in any other form: the copy
// would then hold those, and its comparison with the file could not tell.
QVariant quotedValue(const QString& quoted, const QString& declaredType, const QString& table)
{
    if (quoted == QLatin1String("NULL"))
        return {};
    if (quoted.startsWith(QLatin1Char('\''))) {
        const QString text = quoted.mid(1, quoted.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (declaredType == QLatin1String("DATE") && date.isValid() && text.size() == 10)
            return date;
        return text;
    }
    bool number = false;
    const bool whole = !quoted.contains(QLatin1Char('.')) && !quoted.contains(QLatin1Char('e'));
    const QVariant value = whole ? QVariant(quoted.toLongLong(&number)) : QVariant(quoted.toDouble(&number));
    if (!number || (!whole && !std::isfinite(value.toDouble())))
        throw Failure(QStringLiteral("its table %1 holds %2, which is no number, text or date of the program's")
                          .arg(table, quoted));
    return value;
}

// Every row of a table, a block at a time. From a SQLite file each value is
// read as SQLite itself writes it (quotedValue); a server's are read as the
// driver gives them, which is exact.
void forEachBlock(Connection& connection, const QString& table,
                  const std::function<void(const QVector<QVector<QVariant>>&)>& take, const QString& condition = {})
{
    QStringList read = schema::columnNames().value(table.toLower());
    const QStringList types = schema::columnTypes().value(table.toLower());
    const bool quoted = connection.engine() == schema::Engine::Sqlite;
    if (quoted)
        for (QString& column : read)
            column = QStringLiteral("quote(%1)").arg(column);
    QString select = QStringLiteral("select %1 from %2").arg(read.join(QStringLiteral(", ")), table);
    if (!condition.isEmpty())
        select += QStringLiteral(" where ") + condition;
    QueryRows rows = QueryRows::run(select, connection);
    while (!rows.atEnd()) {
        QVector<QVector<QVariant>> block = rows.fetch(Batch);
        if (quoted)
            for (QVector<QVariant>& row : block)
                for (int column = 0; column < row.size(); ++column)
                    row[column] = quotedValue(row.at(column).toString(), types.value(column), table);
        take(block);
    }
}

void addRows(Fingerprint& fingerprint, const QVector<QVector<QVariant>>& block)
{
    QByteArray bytes;
    for (const QVector<QVariant>& row : block) {
        bytes.clear();
        for (const QVariant& value : row)
            appendValue(bytes, value);
        ++fingerprint.lines;
        fingerprint.sum += qHashBits(bytes.constData(), size_t(bytes.size()), 0x5eed);
    }
}

Fingerprint fingerprintOfTable(Connection& connection, const QString& table)
{
    Fingerprint fingerprint;
    forEachBlock(connection, table, [&](const QVector<QVector<QVariant>>& block) { addRows(fingerprint, block); });
    return fingerprint;
}

}  // namespace

Fingerprint fingerprintOf(Connection& connection, const QString& table, const QString& condition)
{
    Fingerprint fingerprint;
    forEachBlock(connection, table, [&](const QVector<QVector<QVariant>>& block) { addRows(fingerprint, block); }, condition);
    return fingerprint;
}

void copyEveryTable(Connection& from, Connection& to)
{
    RecordSet statement;
    const QHash<QString, QStringList> tables = schema::columnNames();
    for (const QString& table : tableNames()) {
        const QString columns = tables.value(table).join(QStringLiteral(", "));
        forEachBlock(from, table, [&](const QVector<QVector<QVariant>>& block) {
            QStringList values;
            for (const QVector<QVariant>& row : block) {
                QStringList literals;
                for (const QVariant& value : row)
                    literals << literal(value);
                values << QLatin1Char('(') + literals.join(QLatin1Char(',')) + QLatin1Char(')');
            }
            if (!values.isEmpty())
                statement.open(QStringLiteral("insert into %1 (%2) values %3").arg(table, columns, values.join(QLatin1Char(','))),
                               to);
        });
    }
}

QString firstTableThatDiffers(Connection& first, Connection& second)
{
    for (const QString& table : tableNames())
        if (fingerprintOfTable(first, table) != fingerprintOfTable(second, table))
            return table;
    return {};
}

}  // namespace tablecopy
