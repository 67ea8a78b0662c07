#include "kit/GridSelection.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace grid {

bool selectRowWhere(QAbstractItemView* view, int column, const QString& text)
{
    QAbstractItemModel* model = view->model();
    QItemSelectionModel* selection = view->selectionModel();
    if (!model || !selection)
        return false;
    for (int row = 0;; ++row) {
        if (row >= model->rowCount()) {
            if (!model->canFetchMore({}))
                break;
            model->fetchMore({});
            if (row >= model->rowCount())
                break;  // a model that promised more rows but gave none
        }
        const QModelIndex cell = model->index(row, column);
        if (cell.data().toString() == text) {
            view->setCurrentIndex(cell);
            view->scrollTo(cell);
            return true;
        }
    }
    selection->clear();
    return false;
}

}  // namespace grid
