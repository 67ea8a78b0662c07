#include "print/PageDevice.h"

#include "print/TextColumns.h"

#include <algorithm>

namespace print {

QString lineText(const PrintedLine& line)
{
    QString grid;
    int used = 0;  // the columns the grid takes on paper
    for (const PlacedText& item : line) {
        const int start = std::max(item.column, 1) - 1;
        if (used > start) {
            // Items never overlap in a job; should they, the later one cuts
            // the line at its column.
            grid.truncate(fittingLength(grid, start));
            used = textColumns(grid);
        }
        grid.append(QString(start - used, QLatin1Char(' ')));
        grid += item.text;
        used = start + textColumns(item.text);
    }
    // A number's closing blank is not something a reader sees.
    while (grid.endsWith(QLatin1Char(' ')))
        grid.chop(1);
    return grid;
}

}  // namespace print
