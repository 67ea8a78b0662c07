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
    const QStringList heads = parties ? QStringList{QStringLiteral("SN"), QStringLiteral("NAME"), QStringLiteral("ADDRESS"),
                                                    QStringLiteral("PHONE")}
                                      : QStringList{QStringLiteral("SN"), QStringLiteral("Item_Name"), QStringLiteral("Price")};
    Report report(job, listLayout(columns.first(), headsAt(columns, heads)), step);
    report.letterhead(letterhead);
    report.columnHeads();
    for (const PrintedRow& record : records)
        report.row(record, columns);
    report.footer();
}

}  // namespace print
