#pragma once

#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRect;

// The program's own pictures, drawn rather than loaded from files.
namespace pictures {

// A wide banner with the product's name and the maker (the Command1 buttons).
QPixmap banner(QSize size);
// A key and the word "Login" (the LOGIN button), the word dark on a light
// button and in the button's own text colour on a dark one.
QPixmap loginPicture(QSize size, const QPalette& button);
// A printed receipt (decoration on the login screen).
QPixmap receipt(QSize size);
// The program's icon: a receipt on a dark tile, side pixels square.
QPixmap programIconPicture(int side);
// The program's window icon, at the sizes title and task bars use.
QIcon programIcon();
// The login screen's background.
void paintLoginBackground(QPainter& painter, const QRect& area);
// The main window's background behind the child screens.
void paintMainBackground(QPainter& painter, const QRect& area);

}  // namespace pictures
