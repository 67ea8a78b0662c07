#pragma once

#include <QString>

class QAbstractItemView;

namespace grid {

// In a grid the screens use (grid::setUp), makes the first row whose column
// shows the text the current, highlighted row, and scrolls to it; rows not
// fetched yet are fetched as the search goes. With no such row no row is
// highlighted. Returns whether a row was found (never in another view).
// Throws Failure when the rest of the grid's result cannot be read.
bool selectRowWhere(QAbstractItemView* view, int column, const QString& text);

}  // namespace grid
