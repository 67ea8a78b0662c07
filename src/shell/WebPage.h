#pragma once

#include <QSize>

class QPushButton;
class QWidget;

namespace maker {

// Hands the maker's web address to the default browser. Whether a browser
// opens is not checked: nothing is reported when none does.
void openWebPage();

// The button Command1 of the login and About screens, at a place given in
// twips: the maker's banner, `margin` narrower and lower than the button, and
// the web address as its tip.
QPushButton* bannerButton(QWidget* parent, int left, int top, int width, int height, QSize margin);

}  // namespace maker
