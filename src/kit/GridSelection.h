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

enum class Scroll { ToRow, Stay };

// The same among the rows read so far, fetching none: a highlight that only
// shows which row is meant need not read a large result to its end. Called
// again as rows arrive (the operator scrolling), with Scroll::Stay, it
// highlights the row when it comes.
bool highlightReadRowWhere(QAbstractItemView* view, int column, const QString& text, Scroll scroll);

}  // namespace grid
