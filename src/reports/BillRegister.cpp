#include "reports/BillRegister.h"

#include "billing/BillReceipt.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/PrintJob.h"
#include "shell/CheckM.h"

namespace reports {

void printBillRegister(const QString& billSelection)
{
    CollectErrors errors;
    Connectionx::OpenSharedConnection();
    Connection& shared = Connectionx::sharedConnection();
    const shop::Letterhead letterhead = CheckM::loadLetterhead();
    RecordSet& bills = Connectionx::sharedRecordSet2();
    errors([&] { bills.open(billSelection, shared); });

    print::PrintJob job = print::startJob();
    for (const QVector<QVariant>& bill : bills.rows()) {
        qint16 billNumber = 0;
        if (errors([&] { billNumber = numeric::toInt16(bill.value(0)); }))
            billing::printDocument(job, errors, shared, QStringLiteral("asigncharges"), billNumber, letterhead,
                                   print::ReceiptFooter::Register);
    }
    errors([&] { job.end(); });

    bills.close();
    shared.close();
    errors.report();
}

}  // namespace reports
