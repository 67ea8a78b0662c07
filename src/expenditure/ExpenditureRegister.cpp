#include "expenditure/ExpenditureRegister.h"

#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/ExpenditureRegister.h"
#include "shell/CheckM.h"

namespace expenditure {

const QString RegisterQuery =
    QStringLiteral("Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc");

double sumOfAmounts(RecordSet& result, Connection& connection)
{
    result.open(QStringLiteral("Select sum(Amount) from ExpenditureTable"), connection);
    const QVariant sum = result.field(0);
    return sum.isNull() ? 0 : numeric::toDouble(sum);
}

void PrintRegister(const QString& numberText, Connection& connection)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    errors([&] {
        const shop::Letterhead letterhead = CheckM::loadLetterhead();
        connectx(connection);
        RecordSet vouchers;
        vouchers.open(RegisterQuery, connection);
        RecordSet sum;
        const double total = sumOfAmounts(sum, connection);

        print::PrintJob job = print::startJob();
        print::expenditureRegister(job, letterhead, vouchers.rows(), total);
        job.end();
    });
    errors.report();
    if (connection.isOpen())
        connection.close();
}

}  // namespace expenditure
