#include "kit/Grid.h"

#include "data/RecordSet.h"
#include "kit/Dates.h"
#include "kit/NumericText.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>

void GridModel::setRows(QVector<QString> headers, QVector<QVector<QVariant>> rows)
{
    beginResetModel();
    m_headers = std::move(headers);
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::clear()
{
    setRows({}, {});
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QString GridModel::displayText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numeric::numberText(value.toDouble());
    case QMetaType::QDate:
        return dates::shown(value.toDate());
    case QMetaType::QDateTime:
        return dates::shown(value.toDateTime().date());
    default:
        return value.toString();
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return displayText(m_rows.at(index.row()).at(index.column()));
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return {};
}

namespace grid {

static GridModel* modelOf(QTableView* view)
{
    auto* model = qobject_cast<GridModel*>(view->model());
    if (!model) {
        model = new GridModel(view);
        view->setModel(model);
    }
    return model;
}

void bind(QTableView* view, QVector<QString> headers, QVector<QVector<QVariant>> rows)
{
    modelOf(view)->setRows(std::move(headers), std::move(rows));
    if (view->model()->rowCount() > 0)
        view->setCurrentIndex(view->model()->index(0, 0));
}

void bind(QTableView* view, const RecordSet& result)
{
    bind(view, result.fieldNames(), result.rows());
}

void unbind(QTableView* view)
{
    modelOf(view)->clear();
}

QString currentText(const QTableView* view, int column)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->model())
        return {};
    return view->model()->index(current.row(), column).data().toString();
}

void setUp(QTableView* view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    modelOf(view);
}

}  // namespace grid
