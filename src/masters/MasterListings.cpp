#include "masters/MasterListings.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Report.h"
#include "shell/CheckM.h"

#include <QVector>

namespace masters {

namespace {

struct Listing {
    QString name;
    QString statement;
    print::ReportLayout layout;  // margin, column heads and footer
    QVector<int> rowColumns;     // field position i goes to rowColumns[i]
};

print::ReportLayout listLayout(int margin, print::PrintedLine heads)
{
    return {margin, std::move(heads), {QStringList{print::footers::signedBy()} + print::footers::contact()}};
}

const QVector<Listing>& listings()
{
    static const print::PrintedLine partyHeads{
        {1, QStringLiteral("SN")}, {6, QStringLiteral("NAME")}, {32, QStringLiteral("ADDRESS")}, {51, QStringLiteral("PHONE")}};
    static const QVector<Listing> all{
        {QStringLiteral("Customer"), QStringLiteral("Select * from CUSTOMER ORDER by SN asc"),
         listLayout(1, partyHeads), {1, 6, 32, 51}},
        {QStringLiteral("Supplier"), QStringLiteral("Select * from Supplier ORDER by SN asc"),
         listLayout(1, partyHeads), {1, 6, 32, 51}},
        {QStringLiteral("Item"), QStringLiteral("Select * from Charges ORDER by SN asc"),
         listLayout(2, {{2, QStringLiteral("SN")}, {11, QStringLiteral("Item_Name")}, {52, QStringLiteral("Price")}}),
         {2, 11, 52}},
    };
    return all;
}

// Prints the whole table. No failure stops it: a failing step is passed over
// and the last failure is told once at the end.
void printListing(const Listing& listing)
{
    CollectErrors errors;
    const shop::Letterhead letterhead = CheckM::loadLetterhead();
    errors([] { Connectionx::OpenSharedConnection(); });
    print::PrintJob job = print::startJob();
    print::Report report(job, listing.layout, [&](const std::function<void()>& step) { errors(step); });

    RecordSet& records = Connectionx::sharedRecordSet();
    errors([&] {
        Connectionx::sharedSql() = listing.statement;
        records.open(Connectionx::sharedSql(), Connectionx::sharedConnection());
    });

    report.letterhead(letterhead);
    report.columnHeads();
    // A result that could not be opened is empty: no rows.
    for (const QVector<QVariant>& row : records.rows())
        report.row(row, listing.rowColumns);
    report.footer();
    report.end();

    errors.report();
    Connection& shared = Connectionx::sharedConnection();
    if (shared.isOpen())
        shared.close();
}

}  // namespace

void printMasterListing(const QString& listing)
{
    for (const Listing& known : listings())
        if (known.name == listing)
            printListing(known);
}

void PrintCustomerData()
{
    printMasterListing(QStringLiteral("Customer"));
}

void PrintSupplierData()
{
    printMasterListing(QStringLiteral("Supplier"));
}

void PrintItemData()
{
    printMasterListing(QStringLiteral("Item"));
}

}  // namespace masters
