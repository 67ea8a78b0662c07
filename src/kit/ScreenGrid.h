#pragma once

class QTableView;

namespace grid {

// A grid the screens use: read-only, whole-row selection, filled with
// show (Grid.h), with the context menu that copies or saves its rows
// (GridExport.h).
void setUp(QTableView* view);

}  // namespace grid
