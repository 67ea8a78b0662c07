#pragma once

#include "data/PagedRows.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class QTableView;
class QueryRows;

// A read-only table of rows kept on the client: what a grid shows. Numbers
// appear in their plain text, dates as dd/MMM/yyyy.
//
// The rows are either all given at once (setRows) or a result's first page
// (show): the whole result is asked for when a row after the page is
// wanted, and then read as rows are wanted: when the view scrolls to them
// (canFetchMore / fetchMore, as Qt's SQL models do) or a caller asks for them
// (ensureRow, fetchAll). Rows in the order of a key column can also be read
// by stretches (PagedRows::stretch): a row far down is read with the page
// around it, the rows skipped only when they are shown or asked for.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // The rows read when a result is shown, and at least at each fetchMore().
    static constexpr int BatchSize = PagedRows::PageSize;

    void setRows(QVector<QString> headers, QVector<QVector<QVariant>> rows);
    // The rows a store read: all of them (setRows), or a result's first page
    // and how to read the rest (setFirstPage).
    void show(PagedRows rows);
    // The rows read() gives in place of those shown, once what these were
    // read from is let go. A read that throws leaves the model empty.
    void refill(const std::function<PagedRows()>& read);
    void clear();
    // No rows; the columns stay.
    void clearRows();

    // True when the row is there, reading it first (with the rows before it,
    // or, far down a result read by stretches, with its page). Throws
    // Failure when the rest of the result cannot be read.
    bool ensureRow(int row);
    void fetchAll();
    // For a copy of every row: a result read by stretches is read again, by
    // one statement, so that the copy holds one state of the table and not
    // stretches read before and after another till's change. Rows read
    // before that differ from it give way to it. Throws Failure.
    void readWholeResultAtOnce();
    // A read failed while the view painted (scrolling on, a page shown): the
    // rows here are not the whole result, some may show empty, until the
    // grid is filled or read whole again.
    bool readStopped() const { return m_readStopped; }
    // The first row, from `from` on, whose column shows the text, fetching
    // rows as the search goes; -1 when there is none. A key of a result read
    // by stretches is looked up by the database instead. Throws as ensureRow.
    int findRow(int column, const QString& text, int from = 0);
    // The same among the rows read so far: nothing is fetched.
    int findReadRow(int column, const QString& text, int from = 0) const;
    // A cell's value as read (invalid outside the rows read), and the same
    // replaced by what the screen has since stored there.
    QVariant value(int row, int column) const;
    void setValue(int row, int column, const QVariant& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    using Rows = QVector<QVector<QVariant>>;

    // The first rows of a result, how to get the rest of it (throws
    // Failure), and whatever keeps it readable (its connection). The whole
    // result goes on after the rows shown; should its first rows no longer be
    // the ones shown, it replaces them.
    void setFirstPage(PagedRows rows);

    bool hasMore() const;
    // Reads count more rows (every row left when negative). Throws Failure.
    void append(int count);
    void takeWholeResult();
    bool showsTheStartOf(const Rows& result) const;
    void releaseSource();
    void releaseWhenAllRead();
    // Reads the page of a row far down, leaving the rows before it unread.
    // False when the result ends before the row. Throws Failure.
    bool readFarRow(int row);
    // Reads the unread rows of the row's page. Throws Failure.
    void readPageOf(int row);
    void placePage(int row, const Rows& rows);
    // The same where a failure cannot be thrown (the view painting): it is
    // told once the view is done, and the page shows empty rows.
    void readPageOrTell(int row);
    bool isUnread(int row) const { return m_byStretches && m_rows.at(row).isEmpty(); }

    bool m_readStopped = false;
    QVector<QString> m_headers;
    Rows m_rows;  // an empty row is one not read yet (only when read by stretches)
    std::shared_ptr<QueryRows> m_source;  // rows not yet read; null when every row is here
    std::function<std::shared_ptr<QueryRows>()> m_whole;  // set while only the first page is here
    std::shared_ptr<void> m_keepAlive;

    int m_keyColumn = -1;
    std::function<int(const QString&)> m_rowOfKey;
    std::function<Rows(int, int)> m_stretch;
    bool m_byStretches = false;  // rows are read by stretches, not from m_source
    bool m_stretchesEnded = false;  // the last row of the result is here
    int m_unread = 0;  // rows left unread between stretches
};

namespace grid {

// Shows rows a store read for the grid: the first page at once, the rest as
// they are wanted. Their connection is closed when every row has been read
// or the grid shows something else.
void show(QTableView* view, PagedRows rows);

// The same with the rows read() gives, in place of the rows shown. The
// columns stay while the rows change, and with them their widths: a grid
// refilled with the same columns is laid out and painted once, not again
// when its widths are set. A read that throws leaves the grid empty, without
// columns, and the failure goes on.
void refill(QTableView* view, const std::function<PagedRows()>& read);

// Shows rows the screen computed, with a GridModel owned by the grid.
void bind(QTableView* view, QVector<QString> headers, QVector<QVector<QVariant>> rows);
// Leaves the grid empty, without columns.
void unbind(QTableView* view);
// Leaves the grid without rows; its columns stay, with their widths, for the
// rows a refill brings.
void emptyRows(QTableView* view);

// Every row of the grid, also those not read yet.
int rowCount(const QTableView* view);
// The shown text of a cell, reading rows up to it when needed; empty when
// there is no such row. Both throw Failure when the rest cannot be read.
QString text(const QTableView* view, int row, int column);
// The shown text of a column of the current row; empty when there is none.
QString currentText(const QTableView* view, int column);


}  // namespace grid
