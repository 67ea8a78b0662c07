#include "families/QueryReport.h"

#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/QueryReport.h"
#include "stores/QueryStore.h"

namespace families {

void printQueryReport(const QString& rowsStatement, const QString& totalStatement,
                      const print::Footer& footer)
{
    const stores::QueryStore query;
    connectx(query.connection());
    CollectErrors errors;
    errors([&] {
        const ShopHeader letterhead = families::loadLetterhead();
        print::PrintJob job = print::startJob();
        QVector<PrintedRow> rows;
        QVariant total;
        query.readTogether([&] {
            rows = query.reportRows(rowsStatement);
            total = query.reportTotal(totalStatement);
        });
        print::queryReport(job, letterhead, rows, total, footer);
        job.end();
    });
    query.close();
    errors.report();
}

}  // namespace families
