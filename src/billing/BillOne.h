#pragma once

#include "families/LineDocumentScreen.h"

// The simple bill screen: items are picked by name from the stock list and
// priced from the stock's MRP; the item code and batch stay hidden and empty.
class BillOne : public LineDocumentScreen {
    Q_OBJECT
public:
    explicit BillOne(QWidget* parent = nullptr);

protected:
    double unitPrice() override;
    void deleteSerial() override;
};
