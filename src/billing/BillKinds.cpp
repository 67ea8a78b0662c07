#include "billing/BillKinds.h"

namespace billing {

LineDocumentKind salesBillKind()
{
    LineDocumentKind kind;
    kind.lineTable = QStringLiteral("asigncharges");
    kind.partyTable = QStringLiteral("Customer");
    kind.documentName = QStringLiteral("bill");
    kind.stockOnAdd = StockOnAdd::Sell;
    kind.gridQuery = QStringLiteral(
        "Select  Serial, Item, Quantity , Amount * Quantity as Amount_, (Amount * Quantity * "
        "DiscountinPercentage / 100) As Discount , ((Amount * Quantity) - ((Amount * Quantity * "
        "DiscountinPercentage / 100))) * TaxInPercentage / 100 as Tax, ((Amount * Quantity) - "
        "((Amount * Quantity * DiscountinPercentage / 100))) + ((Amount * Quantity) - ((Amount * "
        "Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100  as Total from "
        "asigncharges  where BillNumber = ");
    kind.gridWidths = {700, 5000, 1000, 1000, 1000, 1000};
    kind.loadQuery = QStringLiteral("Select * from asigncharges where BillNumber = ");
    // A sold line's quantity goes back onto its batch when the line goes.
    kind.serialDelete = StockMove::Raise;
    return kind;
}

}  // namespace billing
