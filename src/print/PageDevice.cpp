#include "print/PageDevice.h"

#include <algorithm>

namespace print {

QString lineText(const PrintedLine& line)
{
    QString grid;
    for (const PlacedText& item : line) {
        const int start = std::max(item.column, 1) - 1;
        if (grid.size() < start)
            grid.append(QString(start - grid.size(), QLatin1Char(' ')));
        // Items never overlap in a job; should they, the later one wins.
        grid = grid.left(start) + item.text + grid.mid(start + item.text.size());
    }
    // A number's closing blank is not something a reader sees.
    while (grid.endsWith(QLatin1Char(' ')))
        grid.chop(1);
    return grid;
}

}  // namespace print
