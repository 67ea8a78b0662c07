#pragma once

class QTableView;

namespace grid {

// A grid the screens use: read-only, whole-row selection, filled with
// show (Grid.h), with the context menu that copies or saves its rows
// (GridExport.h).
void setUp(QTableView* view);

// The width resizeColumnToContents() would give the column (its contents or
// its caption, whichever is wider), without resizing it: a column set to a
// width of its own after it is not resized twice, and so not laid out and
// painted again.
int fittedWidth(QTableView* view, int column);

// Gives the last column, which stretches to the grid's edge, the width it
// shows at least. The header keeps the width as given while the column shows
// the stretched one, so the same width is not given again: the column would
// be resized twice (to the width, then back to the edge), and painted twice.
void setLastColumnWidth(QTableView* view, int width);

}  // namespace grid
