#pragma once

#include "families/LineDocumentScreen.h"

// The bill screen with details: the item is picked by its code, which fills
// in its name and batch from the stock; the line is priced from the chosen
// batch's stock row and lowers that batch. Deleting a line or a whole bill
// gives the quantities back.
class BillTwo : public LineDocumentScreen {
    Q_OBJECT
public:
    explicit BillTwo(QWidget* parent = nullptr);

protected:
    double unitPrice() override;
    void newDocument() override;

private:
    void FindItemDetailsAsPerCode(const QString& itemCode);
};
