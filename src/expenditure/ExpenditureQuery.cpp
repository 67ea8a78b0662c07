#include "expenditure/ExpenditureQuery.h"

using query::QueryButton;
using query::Selector;
using Does = QueryButton::Does;

namespace {

const QString GridSelect = QStringLiteral(
    "Select  BillNumber as No,Date_ , Item as Head,  Amount ,CustomerPhone as Phone ,CustomerName as "
    "Name_,CustomerAddress as Address from ExpenditureTable ");
const QString ReportSelect = QStringLiteral("Select BillNumber, Item, Amount , Date_ from ExpenditureTable  where ");

const query::QueryDesign& expenditureQuery()
{
    static const query::QueryDesign design{
        QStringLiteral("ExpenditureQuery"), QStringLiteral("Expenditure Query"), QStringLiteral(": Expenditure Query :"),
        {{Selector::Numbers,
          {QStringLiteral("Exp No From :"), QStringLiteral("Exp No To :")},
          QStringLiteral("Select distinct(BillNumber) from ExpenditureTable ORDER BY BillNumber desc"),
          {{"CmdShow", QStringLiteral("Show"), Does::Show, true,
            GridSelect + QStringLiteral("where BillNumber >= %1  and BillNumber <= %2")},
           {"cmdprin", QStringLiteral("Print"), Does::Print, false,
            ReportSelect + QStringLiteral("BillNumber >= %1  and BillNumber <= %2 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ExpenditureTable where BillNumber >= %1  and BillNumber <= %2")}}},
         {Selector::Dates,
          {QStringLiteral("Expenditurel Date From :"), QStringLiteral("Expenditure Date To :")},
          {},
          {{"Cnddate", QStringLiteral("Show"), Does::Show, true,
            GridSelect + QStringLiteral("where Date_ >= %1  and Date_ <= %2 order by BillNumber asc")},
           {"Condate", QStringLiteral("Print"), Does::Print, false,
            ReportSelect + QStringLiteral("Date_ >= %1  and Date_ <= %2 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ExpenditureTable where Date_ >= %1  and Date_ <= %2")}}},
         {Selector::Head,
          {QStringLiteral("Head :")},
          QStringLiteral("Select distinct(TYPEOFCHARGES) from ExpenditureHead ORDER BY TYPEOFCHARGES desc"),
          {{"ComShowTotal", QStringLiteral("Show"), Does::Show, true,
            GridSelect + QStringLiteral(" where Item = %1  order by BillNumber asc")},
           {"ComPrintTotal", QStringLiteral("Print"), Does::Print, true,
            ReportSelect + QStringLiteral("Item = %1 order by BillNumber asc"),
            QStringLiteral("Select sum(Amount) from ExpenditureTable  where Item = %1 ")}}}},
        {700, 1500, 4000, 1000, 1200},
        true,
        {QStringList{print::footers::signedBy()} + print::footers::expenditureContact(), print::RuleLength, 5}};
    return design;
}

}  // namespace

ExpenditureQuery::ExpenditureQuery(QWidget* parent) : QueryScreen(expenditureQuery(), parent) {}
