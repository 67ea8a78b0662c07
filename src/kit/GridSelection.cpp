#include "kit/GridSelection.h"

#include "kit/Grid.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace grid {

bool selectRowWhere(QAbstractItemView* view, int column, const QString& text)
{
    auto* rows = qobject_cast<GridModel*>(view->model());
    QItemSelectionModel* selection = view->selectionModel();
    if (!rows || !selection)
        return false;  // not a grid of the screens (grid::setUp)
    const int row = rows->findRow(column, text);
    if (row < 0) {
        selection->clear();
        return false;
    }
    const QModelIndex cell = rows->index(row, column);
    view->setCurrentIndex(cell);
    view->scrollTo(cell);
    return true;
}

}  // namespace grid
