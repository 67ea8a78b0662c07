#pragma once

#include <QString>

class QAbstractItemView;

namespace grid {

// Makes the first row whose column shows the text the grid's current,
// highlighted row, and scrolls to it; rows the model has not fetched yet are
// fetched as the search goes. With no such row no row is highlighted.
// Returns whether a row was found. Throws Failure when the rest of a
// GridModel's result cannot be read.
bool selectRowWhere(QAbstractItemView* view, int column, const QString& text);

}  // namespace grid
