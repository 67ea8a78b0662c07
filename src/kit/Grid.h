#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <QVector>

class QTableView;
class RecordSet;

// A read-only table of rows kept on the client: what a grid shows. Numbers
// appear in their plain text, dates as dd/MMM/yyyy.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QVector<QString> headers, QVector<QVector<QVariant>> rows);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The value as the grid shows it.
    static QString displayText(const QVariant& value);

private:
    QVector<QString> m_headers;
    QVector<QVector<QVariant>> m_rows;
};

namespace grid {

// Shows the result's rows in the grid (a read-only copy), with a GridModel
// owned by the grid.
void bind(QTableView* view, const RecordSet& result);
void bind(QTableView* view, QVector<QString> headers, QVector<QVector<QVariant>> rows);
// Leaves the grid empty, without columns.
void unbind(QTableView* view);

// The shown text of a column of the current row; empty when there is none.
QString currentText(const QTableView* view, int column);

// A grid the screens use: read-only, whole-row selection.
void setUp(QTableView* view);

}  // namespace grid
