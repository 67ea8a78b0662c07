#pragma once

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

// The rows of an executed ODBC statement fetched into buffers bound to its
// columns: one driver call for a block of rows instead of one for each value.
// A text longer than its buffer, and a row the driver could not convert, are
// read again with SQLGetData, value by value (data/OdbcValues.h), which gives
// the same values, types and null-ness.
//
// Rows come a block at a time where the driver can read such a value again
// from within a block (SQL_GD_BLOCK: psqlODBC), one at a time where it can do
// so only for the row just fetched (the SQLite driver's blocks are honoured,
// but a value cut short in one is lost).
class RowBlock {
public:
    // Binds the columns (types as odbcvalues::readable, lengths in characters
    // as the driver describes them); null when the driver cannot read a bound
    // column again, or refuses the binding. The statement must outlive it.
    static std::unique_ptr<RowBlock> bind(void* connection, void* statement, const QVector<int>& types,
                                          const QVector<int>& lengths, bool wideText);

    // To the next row; false at the end. Throws DbError when the fetch failed.
    bool next();
    // The current row's value; each is read once.
    QVariant value(int column) const;
    // A text as it is, an integer as its decimal digits (empty for a null),
    // without a QVariant; other columns as value().
    QString text(int column) const;

    // Rows fetched at once where the driver allows it: beyond this the time
    // a block saves is small, and its texts' buffers grow.
    static constexpr int BlockRows = 128;

private:
    struct Column {
        int type = 0;
        short cType = 0;
        long width = 0;  // bytes of one row's buffer
        // Left uninitialised: the driver fills what is read.
        std::unique_ptr<char[]> data;
        std::unique_ptr<long[]> indicators;
    };

    RowBlock(void* statement, int rows, bool wideText);
    bool bindColumns(const QVector<int>& types, const QVector<int>& lengths);
    bool readAgain(int column) const;
    QVariant readSingly(int column) const;

    void* m_statement;
    int m_size;  // rows fetched at once
    bool m_wideText;
    std::vector<Column> m_columns;
    std::vector<unsigned short> m_status;
    unsigned long m_fetched = 0;
    unsigned long m_row = 0;
};
