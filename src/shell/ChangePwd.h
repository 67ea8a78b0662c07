#pragma once

#include "kit/DataScreen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Sets a new password for a user of UserTable, stored shifted as the login
// check compares it.
class ChangePwd : public DataScreen {
    Q_OBJECT
public:
    explicit ChangePwd(QWidget* parent = nullptr);

    // The whole change: the user box, the new password and the same again.
    void Changepassword(QComboBox* user, QLineEdit* password, QLineEdit* reenter);

    QGroupBox* Frame1;
    QLabel* Label2;
    QComboBox* txtUID;
    QLabel* Label1;
    QLineEdit* txtPwd;
    QLabel* Label6;
    QLineEdit* txtReenter;
    QPushButton* CmdPass;
};
