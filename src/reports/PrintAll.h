#pragma once

#include "families/QueryScreen.h"
#include "stores/BillTotals.h"

// The bill query: the lines of the bills of a number or date range, per-bill
// totals of a date range with their sums, the bill register of a range and
// the printed totals.
class PrintAll : public QueryScreen {
    Q_OBJECT
public:
    explicit PrintAll(QWidget* parent = nullptr);

    // Its own operations, by QueryButton::own.
    enum Own { PrintBills = 1, ShowTotals, PrintTotals };

protected:
    void runOwn(const query::QueryButton& button, const query::Bounds& bounds) override;

private:
    void showTotals();
    void printTotals();

    stores::BillTotalsStore m_totals;  // Show Total's, on the screen's connection
};
