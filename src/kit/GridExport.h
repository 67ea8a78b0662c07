#pragma once

#include <QString>
#include <functional>

class QTableView;

// A grid's rows to a spreadsheet: copied as tab-separated text, or saved as
// a CSV file (RFC 4180, UTF-8). Both take each cell's text as the grid shows
// it (numbers with a '.' point whatever the locale, dates as dd/MMM/yyyy)
// under a line of the column headings, and read the rows of the grid's
// result that it has not read yet.
namespace grid {

// Gives the grid the context menu "Copy" (also Ctrl+C) and "Save as CSV...".
// A failure is told; a save that is cancelled leaves no file behind.
void addExportMenu(QTableView* view);

// Told the number of rows done at the start and after every few thousand;
// false stops the work.
using ExportProgress = std::function<bool(int rowsDone)>;

// The headings and the selected rows, or every row of the result when no
// row is selected, tab-separated, a line each. Empty when stopped. Throws
// Failure when the rest of the result cannot be read.
QString copiedText(QTableView* view, const ExportProgress& progress = {});

// Writes the headings and every row of the result into the file, which is
// replaced only once the last row is written. Returns false when stopped
// (the file then stays as it was). Throws Failure when the rest of the
// result cannot be read or the file cannot be written.
bool saveCsv(QTableView* view, const QString& fileName, const ExportProgress& progress = {});

}  // namespace grid
