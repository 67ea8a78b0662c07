#include "stock/StockQuery.h"

using query::QueryButton;
using query::Selector;
using Does = QueryButton::Does;

namespace {

const QString GridSelect = QStringLiteral(
    "Select  BillNumber as No,Date_ , ItemCode, Item , Quantity,  Amount , TaxInPercentage as Tax, "
    "DiscountinPercentage as Discount, CustomerName as SupName, CustomerAddress as SupAddress , CustomerPhone as "
    "SupPhone , MRP , ItemCode , Batch_Number  from Stock ");

// A batch's stock number is unique, so one statement gives each batch once.
const query::QueryDesign& stockQuery()
{
    static const query::QueryDesign design{
        QStringLiteral("StockQuery"), QStringLiteral("Stock"), QStringLiteral(": Stock Query :"),
        {{Selector::Head,
          {QStringLiteral("Item Code :")},
          QStringLiteral("Select distinct(ItemCode) from Stock ORDER BY ItemCode asc"),
          {{"ComShowTotal", QStringLiteral("Show"), Does::Show, true, GridSelect + QStringLiteral("where ItemCode = %1")},
           {"ComPrintTotal", QStringLiteral("Print"), Does::Print, true,
            QStringLiteral("Select BillNumber, Item, Amount , Date_ , Batch_Number from Stock where ItemCode = %1 "
                           "order by Batch_Number asc"),
            QStringLiteral("Select sum(Amount) from Stock where ItemCode = %1")}}},
         {Selector::Name,
          {QStringLiteral("Item Name :")},
          QStringLiteral("Select distinct(Item) from Stock ORDER BY Item asc"),
          {{"cmdName", QStringLiteral("Show"), Does::Show, true, GridSelect + QStringLiteral("where Item = %1")},
           {"cmdpringname", QStringLiteral("Print"), Does::Print, false,
            QStringLiteral("Select BillNumber, Item, Amount , Date_ from Stock  where Item = %1 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from Stock where Item = %1")}}},
         {Selector::All,
          {},
          {},
          {{"cmdAll", QStringLiteral("Show All"), Does::Show, true, GridSelect + QStringLiteral("order by BillNumber asc")},
           {"cmdprintall", QStringLiteral("Print All"), Does::Print, false,
            QStringLiteral("Select BillNumber, Item, Amount , Date_ from Stock  order by BillNumber asc , serial asc"),
            QStringLiteral("Select sum(Amount) from Stock ")}}}},
        {700, 1500, 1000, 4000, 1200},
        false,
        {QStringList{print::footers::signedBy()} + print::footers::contact(), print::RuleLength, 5}};
    return design;
}

}  // namespace

StockQuery::StockQuery(QWidget* parent) : QueryScreen(stockQuery(), parent) {}
