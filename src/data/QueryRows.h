#pragma once

#include <QMetaType>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class Connection;
class RowBlock;

// The rows of an executed statement, read in batches as they are wanted.
//
// With the SQLite and PostgreSQL drivers the rows are fetched straight from
// the ODBC statement into buffers bound to its columns, as C numbers or text
// (SQLite's UTF-8, the server driver's wide characters), a block of rows at a
// time where the driver allows it (data/RowBlock.h); every value comes out
// with the type and null-ness QSqlQuery::value() gives it. QODBC's per-value
// bookkeeping and, for SQLite, the driver manager's conversion to wide
// characters, which costs ten times the statement itself on a large result,
// are skipped. Other engines, and results with columns of other types, are
// read through QSqlQuery::value().
//
// The statement stays open, on its connection, until the last row has been
// read or finish() is called; the connection must stay open as long.
class QueryRows {
public:
    enum class Reading { Fastest, ThroughQuery };

    // From a query executed forward only on the connection (statement::execute).
    QueryRows(QSqlQuery query, const Connection& connection, Reading reading = Reading::Fastest);

    // Executes the statement (statement::execute) and gets ready to read its rows.
    static QueryRows run(const QString& statement, Connection& connection);

    QueryRows(QueryRows&&) noexcept;
    QueryRows& operator=(QueryRows&&) noexcept;
    ~QueryRows();

    const QVector<QString>& fieldNames() const { return m_names; }
    // The rows an insert, update or delete changed (-1 when not known).
    int rowsAffected() const { return m_rowsAffected; }
    bool atEnd() const { return m_atEnd; }
    // Up to count more rows (every row left when count is negative); none at the end.
    QVector<QVector<QVariant>> fetch(int count);
    // One column of every row left, each value as textOf gives it, for a
    // list of many entries: no row is kept. An integer read directly is given
    // as its decimal digits and a text as it is, without a QVariant, so
    // textOf must give those for them (and an empty text for a null).
    QStringList fetchTexts(int column, const std::function<QString(const QVariant&)>& textOf);
    // No more rows are wanted: the statement is released.
    void finish();

    bool readsDirectly() const { return m_block != nullptr; }

private:
    bool nextRow();

    // Declared before the query, so that the statement goes before the
    // buffers bound to it.
    std::unique_ptr<RowBlock> m_block;  // when values are read directly
    QSqlQuery m_query;
    QVector<QString> m_names;
    QVector<int> m_types;     // QMetaType ids of the columns as the driver describes them
    bool m_select = false;
    int m_rowsAffected = -1;
    bool m_atEnd = true;
};
