#include "reports/QueryReport.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/QueryReport.h"
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
        rows.open(rowsStatement, shared);
        total.open(totalStatement, shared);
        print::queryReport(job, letterhead, rows.rows(), total.eof() ? QVariant() : total.field(0), footer);
        job.end();
    });
    rows.close();
    total.close();
    shared.close();
    errors.report();
}

}  // namespace reports
