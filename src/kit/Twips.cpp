#include "kit/Twips.h"

#include "core/Dates.h"

#include <QStyle>
#include <QTableView>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace twips {

static constexpr double TwipsPerInch = 1440.0;

int toPixelsX(int twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips * widget->logicalDpiX() / TwipsPerInch));
}

int toPixelsY(int twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips * widget->logicalDpiY() / TwipsPerInch));
}

QSize toPixels(int widthTwips, int heightTwips, const QWidget* widget)
{
    return QSize(toPixelsX(widthTwips, widget), toPixelsY(heightTwips, widget));
}

void place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(toPixelsX(left, control), toPixelsY(top, control),
                         toPixelsX(width, control), toPixelsY(height, control));
}

void place(QWidget* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    place(control, left, top, width, height);
}

void setColumnWidths(QTableView* grid, std::initializer_list<int> widthsInTwips)
{
    setColumnWidths(grid, QVector<int>(widthsInTwips));
}

namespace {

// The width a date takes in the grid's cells, the widest month's.
int dateWidth(const QTableView* grid)
{
    int widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, grid->fontMetrics().horizontalAdvance(dates::shown(QDate(2026, month, 28))));
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return widest + 2 * margin + 2;
}

}  // namespace

void setColumnWidths(QTableView* grid, const QVector<int>& widthsInTwips)
{
    int column = 0;
    for (int width : widthsInTwips)
        grid->setColumnWidth(column++, toPixelsX(width, grid));
    // The widths were measured for shorter dates: a date is shown whole, its
    // year too, where a column given less would cut it to "13/Apr/...".
    if (const QAbstractItemModel* model = grid->model()) {
        for (int dates = 0; dates < std::min(column, model->columnCount()); ++dates)
            if (model->headerData(dates, Qt::Horizontal).toString() == QLatin1String("Date_"))
                grid->setColumnWidth(dates, std::max(grid->columnWidth(dates), dateWidth(grid)));
    }
}

}  // namespace twips
