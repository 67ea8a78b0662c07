#include "print/MasterListing.h"

namespace print {

namespace {

ReportLayout listLayout(int margin, PrintedLine heads)
{
    return {margin, std::move(heads), {QStringList{footers::signedBy()} + footers::contact()}};
}

}  // namespace

void masterListing(PrintJob& job, MasterListLayout layout, const ShopHeader& letterhead,
                   const QVector<PrintedRow>& records, const Report::Step& step)
{
    const bool parties = layout == MasterListLayout::Parties;
    // Field position i goes to column i.
    const QVector<int> columns = parties ? QVector<int>{1, 6, 32, 51} : QVector<int>{2, 11, 52};
    Report report(job,
                  parties ? listLayout(1, {{1, QStringLiteral("SN")}, {6, QStringLiteral("NAME")},
                                           {32, QStringLiteral("ADDRESS")}, {51, QStringLiteral("PHONE")}})
                          : listLayout(2, {{2, QStringLiteral("SN")}, {11, QStringLiteral("Item_Name")},
                                           {52, QStringLiteral("Price")}}),
                  step);
    report.letterhead(letterhead);
    report.columnHeads();
    for (const PrintedRow& record : records)
        report.row(record, columns);
    report.footer();
}

}  // namespace print
