#pragma once

#include "kit/DataScreen.h"

class QFrame;
class QLabel;
class QPushButton;

// Names the maker of the program and opens the maker's web page.
class About : public DataScreen {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);

    // Opens the maker's web page in the default browser.
    void Command1_Click();

    QFrame* Shape3;
    QLabel* Label23;
    QLabel* Label22;
    QLabel* Label21;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label20;
    QPushButton* Command1;
};
