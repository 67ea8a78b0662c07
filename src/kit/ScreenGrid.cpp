#include "kit/ScreenGrid.h"

#include "kit/Grid.h"
#include "kit/GridExport.h"

#include <QHeaderView>
#include <QTableView>

namespace grid {

// More rows than any screen's grid shows at once.
constexpr int FittedRows = 40;

void setUp(QTableView* view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // A column fitted to its contents fits the rows a refilled grid shows,
    // not the first thousand rows, each of which would be laid out for it.
    view->horizontalHeader()->setResizeContentsPrecision(FittedRows);
    unbind(view);  // gives it its model
    addExportMenu(view);
}

}  // namespace grid
