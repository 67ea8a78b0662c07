#include "billing/BillKinds.h"

namespace billing {

families::LineDocumentKind salesBillKind()
{
    families::LineDocumentKind kind;
    kind.document = stores::Document::Bill;
    kind.gridWidths = {700, 5000, 1000, 1000, 1000, 1000};
    // A sold line's quantity goes back onto its batch when the line goes.
    kind.serialDelete = stores::StockMove::Raise;
    return kind;
}

}  // namespace billing
