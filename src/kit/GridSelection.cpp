#include "kit/GridSelection.h"

#include "kit/Grid.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <functional>

namespace grid {

namespace {

bool select(QAbstractItemView* view, int column, const std::function<int(GridModel&)>& find, Scroll scroll)
{
    auto* rows = qobject_cast<GridModel*>(view->model());
    QItemSelectionModel* selection = view->selectionModel();
    if (!rows || !selection)
        return false;  // not a grid of the screens (grid::setUp)
    const int row = find(*rows);
    if (row < 0) {
        selection->clear();
        return false;
    }
    const QModelIndex cell = rows->index(row, column);
    if (view->currentIndex() != cell || !selection->isSelected(cell))
        view->setCurrentIndex(cell);
    if (scroll == Scroll::ToRow)
        view->scrollTo(cell);
    return true;
}

}  // namespace

bool selectRowWhere(QAbstractItemView* view, int column, const QString& text)
{
    return select(view, column, [&](GridModel& rows) { return rows.findRow(column, text); }, Scroll::ToRow);
}

bool highlightReadRowWhere(QAbstractItemView* view, int column, const QString& text, Scroll scroll)
{
    return select(view, column, [&](GridModel& rows) { return rows.findReadRow(column, text); }, scroll);
}

}  // namespace grid
