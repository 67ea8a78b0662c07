#include "reports/BillRegister.h"

#include "billing/BillReceipt.h"
#include "core/NumericText.h"
#include "data/Connectionx.h"
#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "stores/LineDocumentStore.h"
#include "stores/QueryStore.h"

namespace reports {

void printBillRegister(const QString& billSelection)
{
    CollectErrors errors;
    Connectionx::OpenSharedConnection();
    const stores::QueryStore selection;
    const stores::LineDocumentStore bills(stores::Document::Bill, selection.connection());
    const ShopHeader letterhead = families::loadLetterhead();
    QVector<PrintedRow> selected;
    errors([&] { selected = selection.reportRows(billSelection); });

    print::PrintJob job = print::startJob();
    for (const PrintedRow& bill : selected) {
        qint16 billNumber = 0;
        if (errors([&] { billNumber = numeric::toInt16(bill.value(0)); }))
            billing::printDocument(job, errors, bills, billNumber, letterhead, print::ReceiptFooter::Register);
    }
    errors([&] { job.end(); });

    bills.close();
    errors.report();
}

}  // namespace reports
