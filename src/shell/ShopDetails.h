#pragma once

#include "kit/DataScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The shop's letterhead, the five lines every print starts with: shown as
// stored, typed over and saved as billdb shop saves them.
class ShopDetails : public DataScreen {
    Q_OBJECT
public:
    explicit ShopDetails(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* txtShopName;
    QLineEdit* txtAddress1;
    QLineEdit* txtAddress2;
    QLineEdit* txtCity;
    QLineEdit* txtPhone;
    QPushButton* CmdSave;

private:
    void load();
    void save();
};
