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
        const QVector<PrintedRow> rows = query.reportRows(rowsStatement);
        print::queryReport(job, letterhead, rows, query.reportTotal(totalStatement), footer);
        job.end();
    });
    query.close();
    errors.report();
}

}  // namespace families
