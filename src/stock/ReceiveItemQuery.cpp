#include "stock/ReceiveItemQuery.h"

using query::QueryButton;
using query::Selector;
using Does = QueryButton::Does;

namespace {

const QString GridSelect = QStringLiteral(
    "Select  BillNumber as No,Date_ , ItemCode, Item , Quantity,  Amount  from ItemIn where ");
const QString ReportSelect = QStringLiteral("Select BillNumber, Item, Amount , Date_ from ItemIn  where ");

const query::QueryDesign& receiptQuery()
{
    static const query::QueryDesign design{
        QStringLiteral("ReceiveItemQuery"), QStringLiteral("Receive Item Query"),
        QStringLiteral(": Receive Item Query :"),
        {{Selector::Numbers,
          {QStringLiteral("Rx No From :"), QStringLiteral("Rx No To :")},
          QStringLiteral("Select distinct(BillNumber) from ItemIn ORDER BY BillNumber desc"),
          {{"CmdShow", QStringLiteral("Show"), Does::Show, true,
            GridSelect + QStringLiteral("BillNumber >= %1  and BillNumber <= %2")},
           {"cmdprin", QStringLiteral("Print"), Does::Print, false,
            ReportSelect + QStringLiteral("BillNumber >= %1  and BillNumber <= %2 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ItemIn where BillNumber >= %1  and BillNumber <= %2")}}},
         {Selector::Dates,
          {QStringLiteral("Receive Date From :"), QStringLiteral("Receive Date To :")},
          {},
          {{"Cnddate", QStringLiteral("Show"), Does::Show, true,
            GridSelect + QStringLiteral("Date_ >= %1  and Date_ <= %2 order by BillNumber asc")},
           {"Condate", QStringLiteral("Print"), Does::Print, false,
            ReportSelect + QStringLiteral("Date_ >= %1  and Date_ <= %2 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ItemIn where Date_ >= %1  and Date_ <= %2")}}},
         {Selector::Head,
          {QStringLiteral("Code :")},
          QStringLiteral("Select distinct(ItemCode) from ItemIn ORDER BY ItemCode asc"),
          {{"ComShowTotal", QStringLiteral("Show"), Does::Show, true, GridSelect + QStringLiteral("ItemCode = %1")},
           {"ComPrintTotal", QStringLiteral("Print"), Does::Print, true,
            ReportSelect + QStringLiteral("ItemCode = %1 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ItemIn where ItemCode = %1")}}}},
        {700, 1500, 1000, 4000, 1200},
        true,
        {QStringList{print::footers::signedBy()} + print::footers::contact(), print::RuleLength, 5}};
    return design;
}

}  // namespace

ReceiveItemQuery::ReceiveItemQuery(QWidget* parent) : QueryScreen(receiptQuery(), parent) {}
