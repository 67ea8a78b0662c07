#include "kit/ScreenGrid.h"

#include "kit/CellPictures.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"

#include <QHeaderView>
#include <QTableView>
#include <QVariant>
#include <algorithm>

namespace grid {

// More rows than any screen's grid shows at once.
constexpr int FittedRows = 40;

void setUp(QTableView* view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the grid for the next control, as everywhere on a screen;
    // the arrow keys move in it.
    view->setTabKeyNavigation(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // A column fitted to its contents fits the rows a refilled grid shows,
    // not the first thousand rows, each of which would be laid out for it.
    view->horizontalHeader()->setResizeContentsPrecision(FittedRows);
    view->setItemDelegate(new CellPictures(view));
    unbind(view);  // gives it its model
    addExportMenu(view);
}

int fittedWidth(QTableView* view, int column)
{
    const QAbstractItemView* items = view;  // where the measure is public
    return std::max(items->sizeHintForColumn(column), view->horizontalHeader()->sectionSizeHint(column));
}

void setLastColumnWidth(QTableView* view, int width)
{
    static const char* const Given = "lastColumnWidthGiven";
    const int last = view->model() ? view->model()->columnCount() - 1 : -1;
    if (last < 0)
        return;
    if (view->property(Given) == QVariant(width) && view->columnWidth(last) >= width)
        return;
    view->setColumnWidth(last, width);
    view->setProperty(Given, width);
}

}  // namespace grid
