#include "kit/Twips.h"

#include <QTableView>
#include <QWidget>
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

void setColumnWidths(QTableView* grid, const QVector<int>& widthsInTwips)
{
    int column = 0;
    for (int width : widthsInTwips)
        grid->setColumnWidth(column++, toPixelsX(width, grid));
}

}  // namespace twips
