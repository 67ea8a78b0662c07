#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The first and only window at start: a user found in UserTable with the right
// password reaches the main window; the login screen then stays hidden.
// No key rules of its own.
class LOGIN : public QWidget {
    Q_OBJECT
public:
    explicit LOGIN(QWidget* parent = nullptr);

    // Shifts the typed password and checks it; hides the login on success.
    void LOGIN_Click();
    // Ends the program at once.
    void cmd_Click();
    // Opens the maker's web page.
    void Command1_Click();

    QPushButton* Command1;
    QGroupBox* Frame1;
    QLabel* Image3;
    QLabel* Label7;
    QLabel* Label155;
    QComboBox* txtUID;
    QLabel* Label2555;
    QLineEdit* TXTpass;
    // The button "LOGIN" (objectName "LOGIN"; a member cannot carry its class's name).
    QPushButton* LOGINButton;
    QPushButton* cmd;
    QLabel* Label1;

protected:
    void paintEvent(QPaintEvent* event) override;
};
