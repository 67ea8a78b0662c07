#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

class Connection;

// The rows of one statement, fetched at once and kept on the client: an exact
// record count, a cursor walked to end of data, fields by name (any case) or
// position. Statements that return no rows ("insert", "Update", "Delete")
// are run the same way and leave an empty, closed-to-reading set.
class RecordSet {
public:
    // Closes first when open. Throws DbError with the driver's description.
    void open(const QString& statement, Connection& connection);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return m_rows.size(); }
    // The rows an insert, update or delete changed (-1 when not known).
    int rowsAffected() const { return m_rowsAffected; }
    bool eof() const { return m_position >= m_rows.size(); }
    void moveNext();

    int fieldCount() const { return m_names.size(); }
    // The current row's value; DbError at end of data or for an unknown field.
    QVariant field(int position) const;
    QVariant field(const QString& name) const;

    const QVector<QString>& fieldNames() const { return m_names; }
    const QVector<QVector<QVariant>>& rows() const { return m_rows; }

private:
    int indexOf(const QString& name) const;
    void requireRow() const;

    bool m_open = false;
    QVector<QString> m_names;
    QVector<QVector<QVariant>> m_rows;
    int m_position = 0;
    int m_rowsAffected = -1;
};
