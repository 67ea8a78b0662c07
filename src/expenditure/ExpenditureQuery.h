#pragma once

#include "families/QueryScreen.h"

// The expenditure query: the vouchers of ExpenditureTable by voucher numbers,
// dates or head, in the grid or as a printed register.
class ExpenditureQuery : public QueryScreen {
    Q_OBJECT
public:
    explicit ExpenditureQuery(QWidget* parent = nullptr);
};
