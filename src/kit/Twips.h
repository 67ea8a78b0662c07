#pragma once

#include <QSize>
#include <QVector>
#include <initializer_list>

class QWidget;
class QTableView;

// Sizes given in twips (1/1440 inch), converted with the screen's logical DPI.
namespace twips {

int toPixelsX(int twips, const QWidget* widget);
int toPixelsY(int twips, const QWidget* widget);
QSize toPixels(int widthTwips, int heightTwips, const QWidget* widget);

// Places a control at a position and size given in twips, within its parent.
void place(QWidget* control, int left, int top, int width, int height);
// The same for a control that also takes its name (its objectName) here.
void place(QWidget* control, const char* name, int left, int top, int width, int height);

// Column widths of a grid, first column first; columns not named keep theirs.
// A column of dates (Date_) given less than a date takes is as wide as one.
void setColumnWidths(QTableView* grid, std::initializer_list<int> widthsInTwips);
void setColumnWidths(QTableView* grid, const QVector<int>& widthsInTwips);

}  // namespace twips
