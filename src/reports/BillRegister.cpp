#include "reports/BillRegister.h"

#include "core/NumericText.h"
#include "families/DocumentReceipt.h"
#include "families/PrintedWhole.h"
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
    const stores::QueryStore selection;
    connectx(selection.connection());
    const stores::LineDocumentStore bills(stores::Document::Bill, selection.connection());
    const ShopHeader letterhead = families::loadLetterhead();
    print::PrintJob job = print::startJob();
    errors([&] {
        selection.readTogether([&] {
            QVector<PrintedRow> selected;
            errors([&] { selected = selection.reportRows(billSelection); });
            for (const PrintedRow& bill : selected) {
                qint16 billNumber = 0;
                if (errors([&] { billNumber = numeric::toInt16(bill.value(0)); }))
                    families::printDocument(job, errors, bills, billNumber, letterhead, print::ReceiptFooter::Register);
            }
        });
    });
    families::endUnlessUnavailable(job, errors);

    bills.close();
    errors.report();
}

}  // namespace reports
