#pragma once

#include "core/ShopHeader.h"
#include "print/PrintJob.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

// The frame every printed document shares: the shop's letterhead and a rule,
// optional column heads between rules, the document's own lines, a grand
// total and a closing footer block. A document is written top to bottom:
//
//   print::Report report(job, layout);
//   report.letterhead(shop);
//   report.columnHeads();
//   for (...) report.row(values, columns);
//   report.grandTotal(sum);
//   report.footer();
//   report.end();
namespace print {

// The dashes of a rule: most documents rule 76 columns, the bill register 105.
constexpr int RuleLength = 76;
QString rule(int length = RuleLength);

// Column heads over a document's fields: head i at column i, where the
// fields' values are printed (Report::row with the same columns).
PrintedLine headsAt(const QVector<int>& columns, const QStringList& heads);

// The shop's five letterhead lines, on a page or a roll: its name, two
// address lines, its city and "Mobile : " with its phone.
QStringList letterheadLines(const ShopHeader& head);

// The block that closes a document: a rule, its lines, a rule, then empty lines
// (room to tear the paper off, or to keep documents of one job apart).
struct Footer {
    QStringList lines;
    int ruleLength = RuleLength;
    int emptyLinesAfter = 0;
};

// The maker's lines at the foot of documents, in the forms the documents use.
namespace footers {
// "Software Designed By :Norvik Software Consultancy Services"
QString signedBy();
// The maker's "E-mail : " and "Web : " lines.
QStringList contact();
// The expenditure documents' "Email : " and "Website : " lines.
QStringList expenditureContact();
}  // namespace footers

struct ReportLayout {
    int margin = 1;           // the column of the letterhead, rules and footer
    PrintedLine columnHeads;  // empty: the document has no heads
    Footer footer;
};

// The grand total as printed: rounded to a whole number, halves to the even
// neighbour, followed by ".00". An empty sum (no rows) prints 0.00.
QString grandTotalText(const QVariant& sum);

class Report {
public:
    // Runs one output step. By default the step runs as it is, so the first
    // failure throws out of the call; a document that passes over failing
    // steps hands in its collector: [&](auto& step) { errors(step); }.
    using Step = std::function<void(const std::function<void()>&)>;

    Report(PrintJob& job, ReportLayout layout, Step step = {});

    int margin() const { return m_layout.margin; }

    // The five letterhead lines and a rule.
    void letterhead(const ShopHeader& head);
    // The heads and a rule; nothing when the layout has no heads.
    void columnHeads();
    // A text at the margin, on a line of its own.
    void line(const QString& text);
    void rule(int length = RuleLength);
    // values[i] at columns[i], on a line of its own; values beyond the columns
    // are not printed. Numbers carry their blanks, dates show as dd/MMM/yyyy.
    void row(const QVector<QVariant>& values, const QVector<int>& columns);
    // A rule, then "Grand Total : " at column 2m + 20 and the total at m + 48.
    void grandTotal(const QVariant& sum);
    // The layout's footer block.
    void footer();
    void emptyLines(int count);
    // Ends the print job.
    void end();

private:
    void run(const std::function<void()>& output);

    PrintJob& m_job;
    ReportLayout m_layout;
    Step m_step;
};

}  // namespace print
