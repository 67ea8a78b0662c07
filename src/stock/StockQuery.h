#pragma once

#include "families/QueryScreen.h"

// The stock query: the batches of Stock by item code, by item name or all, in
// the grid or as a printed report.
class StockQuery : public QueryScreen {
    Q_OBJECT
public:
    explicit StockQuery(QWidget* parent = nullptr);
};
