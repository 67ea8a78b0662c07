#include "kit/GridSelection.h"

#include "kit/Grid.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace grid {

namespace {

// Any other model: its rows' texts, fetched as the search goes.
int findShownText(QAbstractItemModel* model, int column, const QString& text)
{
    for (int row = 0;; ++row) {
        if (row >= model->rowCount()) {
            if (!model->canFetchMore({}))
                return -1;
            model->fetchMore({});
            if (row >= model->rowCount())
                return -1;  // a model that promised more rows but gave none
        }
        if (model->index(row, column).data().toString() == text)
            return row;
    }
}

}  // namespace

bool selectRowWhere(QAbstractItemView* view, int column, const QString& text)
{
    QAbstractItemModel* model = view->model();
    QItemSelectionModel* selection = view->selectionModel();
    if (!model || !selection)
        return false;
    auto* rows = qobject_cast<GridModel*>(model);
    const int row = rows ? rows->findRow(column, text) : findShownText(model, column, text);
    if (row < 0) {
        selection->clear();
        return false;
    }
    const QModelIndex cell = model->index(row, column);
    view->setCurrentIndex(cell);
    view->scrollTo(cell);
    return true;
}

}  // namespace grid
