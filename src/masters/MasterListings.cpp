#include "masters/MasterListings.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/MasterListing.h"
#include "shell/CheckM.h"

#include <QVector>

namespace masters {

namespace {

struct Listing {
    QString name;
    QString statement;
    print::MasterListLayout layout;
};

const QVector<Listing>& listings()
{
    static const QVector<Listing> all{
        {QStringLiteral("Customer"), QStringLiteral("Select * from CUSTOMER ORDER by SN asc"),
         print::MasterListLayout::Parties},
        {QStringLiteral("Supplier"), QStringLiteral("Select * from Supplier ORDER by SN asc"),
         print::MasterListLayout::Parties},
        {QStringLiteral("Item"), QStringLiteral("Select * from Charges ORDER by SN asc"),
         print::MasterListLayout::PricedNames},
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
    RecordSet& records = Connectionx::sharedRecordSet();
    errors([&] {
        Connectionx::sharedSql() = listing.statement;
        records.open(Connectionx::sharedSql(), Connectionx::sharedConnection());
    });
    // A result that could not be opened is empty: no rows.
    print::masterListing(job, listing.layout, letterhead, records.rows(),
                         [&](const std::function<void()>& step) { errors(step); });
    errors([&] { job.end(); });

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
