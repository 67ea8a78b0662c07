#pragma once

#include "families/QueryScreen.h"

// The receipt query: the lines of ItemIn by receipt numbers, receipt dates or
// item code, in the grid or as a printed report.
class ReceiveItemQuery : public QueryScreen {
    Q_OBJECT
public:
    explicit ReceiveItemQuery(QWidget* parent = nullptr);
};
