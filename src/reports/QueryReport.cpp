#include "reports/QueryReport.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/PrintJob.h"
#include "shell/CheckM.h"

namespace reports {

void printQueryReport(const QString& rowsStatement, const QString& totalStatement,
                      const print::Footer& footer)
{
    Connectionx::OpenSharedConnection();
    Connection& shared = Connectionx::sharedConnection();
    RecordSet& rows = Connectionx::sharedRecordSet();
    RecordSet& total = Connectionx::sharedRecordSet2();
    CollectErrors errors;
    errors([&] {
        const shop::Letterhead letterhead = CheckM::loadLetterhead();
        print::PrintJob job = print::startJob();
        print::Report report(job, {1, {}, footer});
        report.letterhead(letterhead);
        rows.open(rowsStatement, shared);
        for (const QVector<QVariant>& row : rows.rows())
            report.row(row, {1, 6, 39, 46});
        total.open(totalStatement, shared);
        report.grandTotal(total.eof() ? QVariant() : total.field(0));
        report.footer();
        report.end();
    });
    rows.close();
    total.close();
    shared.close();
    errors.report();
}

}  // namespace reports
