#include "masters/MasterListings.h"

#include "families/PrintedWhole.h"
#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/MasterListing.h"
#include "stores/MasterStore.h"

namespace masters {

namespace {

// The table of a listing; empty for a name that is none.
QString tableOf(const QString& listing)
{
    if (listing == QLatin1String("Customer") || listing == QLatin1String("Supplier"))
        return listing;
    if (listing == QLatin1String("Item"))
        return QStringLiteral("Charges");
    return {};
}

}  // namespace

// Prints the whole table on the shared connection. No failure stops it: a
// failing step is passed over and the last failure is told once at the end.
void printMasterListing(const QString& listing)
{
    const QString table = tableOf(listing);
    if (table.isEmpty())
        return;
    const stores::MasterStore records(table, stores::SharedConnection{});
    CollectErrors errors;
    const ShopHeader letterhead = families::loadLetterhead();
    errors([&] { connectx(records.connection()); });
    print::PrintJob job = print::startJob();
    // Records that could not be read print as none.
    QVector<PrintedRow> rows;
    errors([&] { rows = records.listing(); });
    const print::MasterListLayout layout = stores::MasterStore::shapeOf(table) == stores::RecordShape::Party
        ? print::MasterListLayout::Parties
        : print::MasterListLayout::PricedNames;
    print::masterListing(job, layout, letterhead, rows, [&](const std::function<void()>& step) { errors(step); });
    families::endUnlessUnavailable(job, errors);

    errors.report();
    records.close();
}

}  // namespace masters
