#include "masters/MasterListings.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "kit/FailureStyles.h"
#include "kit/Maker.h"
#include "print/PrintJob.h"
#include "shell/CheckM.h"

#include <QVector>

namespace masters {

namespace {

struct Listing {
    QString name;
    QString statement;
    int margin;  // the column of the letterhead, rules and footer
    QVector<QPair<QString, int>> heads;
    QVector<int> rowColumns;  // field position i goes to rowColumns[i]
};

const QVector<Listing>& listings()
{
    static const QVector<Listing> all{
        {QStringLiteral("Customer"), QStringLiteral("Select * from CUSTOMER ORDER by SN asc"), 1,
         {{QStringLiteral("SN"), 1}, {QStringLiteral("NAME"), 6}, {QStringLiteral("ADDRESS"), 32},
          {QStringLiteral("PHONE"), 51}},
         {1, 6, 32, 51}},
        {QStringLiteral("Supplier"), QStringLiteral("Select * from Supplier ORDER by SN asc"), 1,
         {{QStringLiteral("SN"), 1}, {QStringLiteral("NAME"), 6}, {QStringLiteral("ADDRESS"), 32},
          {QStringLiteral("PHONE"), 51}},
         {1, 6, 32, 51}},
        {QStringLiteral("Item"), QStringLiteral("Select * from Charges ORDER by SN asc"), 2,
         {{QStringLiteral("SN"), 2}, {QStringLiteral("Item_Name"), 11}, {QStringLiteral("Price"), 52}},
         {2, 11, 52}},
    };
    return all;
}

const QString Rule(76, QLatin1Char('-'));

// Prints the whole table. No failure stops it: a failing step is passed over
// and the last failure is told once at the end.
void printListing(const Listing& listing)
{
    const int m = listing.margin;
    CollectErrors errors;
    errors([] { CheckM::LoadShopHeader(); });
    errors([] { Connectionx::OpenSharedConnection(); });
    print::PrintJob job = print::startJob();

    errors([&] { job.line(m, CheckM::ShopName); });
    errors([&] { job.line(m, CheckM::ShopAddress1); });
    errors([&] { job.line(m, CheckM::ShopAddress2); });
    errors([&] { job.line(m, CheckM::ShopCity); });
    errors([&] { job.line(m, QStringLiteral("Mobile : ") + CheckM::ShopPhone); });

    RecordSet& records = Connectionx::sharedRecordSet();
    errors([&] {
        Connectionx::sharedSql() = listing.statement;
        records.open(Connectionx::sharedSql(), Connectionx::sharedConnection());
    });

    errors([&] { job.line(m, Rule); });
    for (const auto& head : listing.heads)
        errors([&] { job.text(head.second, head.first); });
    errors([&] { job.endLine(); });
    errors([&] { job.line(m, Rule); });

    // A result that could not be opened is empty: no rows.
    for (; !records.eof(); records.moveNext()) {
        for (int position = 0; position < listing.rowColumns.size(); ++position)
            errors([&] { job.value(listing.rowColumns.at(position), records.field(position)); });
        errors([&] { job.endLine(); });
    }

    errors([&] { job.line(m, Rule); });
    errors([&] { job.line(m, QStringLiteral("Software Designed By :Norvik Software Consultancy Services")); });
    errors([&] { job.line(m, maker::EmailLine); });
    errors([&] { job.line(m, maker::WebLine); });
    errors([&] { job.line(m, Rule); });
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
