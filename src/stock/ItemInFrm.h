#pragma once

#include "families/LineDocumentScreen.h"

// The item receipt screen: goods received from a supplier, line by line into
// ItemIn, each line creating its stock batch or raising it. The unit amount is
// typed; an item without a code is coded by its name, a line without a batch
// goes to batch "-".
class ItemInFrm : public LineDocumentScreen {
    Q_OBJECT
public:
    explicit ItemInFrm(QWidget* parent = nullptr);

protected:
    double unitPrice() override;
};
