#pragma once

#include "data/JoinedNumbers.h"
#include "data/PagedRows.h"
#include "stores/Order.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class Connection;

namespace stores {

// Picks the shared connection (data/Connectionx.h) for a store.
struct SharedConnection {};

// What every store is built on: the connection its statements go through,
// held for the store's life. A store has a connection of its own, kept open
// from its first operation to the store's end, or works on one it is given
// (the shared connection, a tool's). Its statements run on the connection as
// it stands: the caller opens it (connectx) and closes it where an operation
// ends (which leaves a store's own connection open for the next), and wraps
// a change in a transaction (change::together). Stores throw Failure or
// DbError and show nothing.
// A list of the distinct whole numbers of one column of a table, as its
// statement ("Select distinct(SN) from T order by SN desc") gives them.
struct NumberList {
    QString statement;
    QString table;
    QString column;
    Order order;
    joinednumbers::Column kind = joinednumbers::Column::Key;
    // A table holding each of the numbers once as its key, which the
    // database keeps in step with the column (data/BillSums.h): read
    // instead of a distinct over every row, where it is there.
    QString keyedIn = {};
};

class Store {
public:
    // A connection of the store's own, closed until opened.
    Store();
    // The given connection, which outlives the store.
    explicit Store(Connection& connection);
    explicit Store(SharedConnection);
    virtual ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // What an operation opens (connectx) and closes (release).
    Connection& connection() const { return *m_connection; }
    // Opens the connection, or keeps it open (Connection::open). Throws DbError.
    void open() const;
    bool isOpen() const;
    void close() const;
    // Runs reads that must agree with each other (a document's lines and its
    // total, a register and its sum) at one moment of the database, whatever
    // another till commits meanwhile (data/ReadTogether.h), on the open
    // connection. Throws DbError, the reads not run, when the connection
    // cannot begin one (a server gone).
    void readTogether(const std::function<void()>& reads) const;

protected:
    // The first field of every row, each as the lists show it (numbers in
    // their plain text, dates as dd/MMM/yyyy). A statement that reads one
    // table, named, is read again only when the table changed since it was
    // last read, by any connection of this run (data/ChangeTracking.h).
    QStringList entries(const QString& statement, const QString& table = {}) const;
    // A number list's entries, kept as entries() keeps them; when read, read
    // as one text the database joins (data/JoinedNumbers.h).
    QStringList numberEntries(const NumberList& list) const;
    // Lists kept by entries() that one change of their table edits in a
    // known way (a number added or taken away) are edited instead of read
    // again. Begun inside the change's transaction before it writes; it
    // takes the writing turn, so no other till changes the table meanwhile.
    // Once the change is written, editKeptLists() gives each list kept at
    // the version the table had before it the edit, under the version this
    // transaction gave the table: a list the database reaches only when the
    // transaction commits.
    class KeptListsEdit {
    public:
        KeptListsEdit(const Store& store, const QString& table);
        void editKeptLists(const QStringList& statements, const std::function<void(QStringList&)>& edit) const;
        // A number list with the number now there or not.
        void editNumberList(const NumberList& list, qint16 number, bool there) const;

    private:
        const Store& m_store;
        QString m_table;
        std::optional<qint64> m_before;
        mutable std::optional<qint64> m_after;  // read at the first edit, after the change
    };

    // The first field of the first row; throws DbError when there is no row.
    // Kept as entries() keeps a list when the table is named.
    QVariant firstValue(const QString& statement, const QString& table = {}) const;
    // Runs a statement that returns no rows.
    void run(const QString& statement) const;
    // A grid's rows (data/PagedRows.h), over the store's grid connection,
    // kept open as long as the store or the rows.
    PagedRows pagedRows(const QString& statement, const RowKeyOrder& keyOrder = {}) const;

private:
    QStringList readEntries(const QString& statement) const;
    QVariant keptOrRead(const QString& statement, const QString& table, const std::function<QVariant()>& read) const;

    std::unique_ptr<Connection> m_own;
    Connection* m_connection;
    mutable std::shared_ptr<Connection> m_gridConnection;
};

}  // namespace stores
