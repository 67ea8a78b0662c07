#include "expenditure/ExpenditureRegister.h"

#include "core/NumericText.h"
#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/ExpenditureRegister.h"
#include "stores/LineDocumentStore.h"

namespace expenditure {

void PrintRegister(const QString& numberText, const stores::LineDocumentStore& vouchers)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    errors([&] {
        const ShopHeader letterhead = families::loadLetterhead();
        connectx(vouchers.connection());
        QVector<PrintedRow> rows;
        double total = 0;
        vouchers.readTogether([&] {
            rows = vouchers.voucherRegister();
            total = vouchers.sumOfAmounts();
        });

        print::PrintJob job = print::startJob();
        print::expenditureRegister(job, letterhead, rows, total);
        job.end();
    });
    errors.report();
    vouchers.close();
}

}  // namespace expenditure
