#include "print/Report.h"

#include "core/Maker.h"
#include "core/NumericText.h"

#include <algorithm>

namespace print {

QString rule(int length)
{
    return QString(length, QLatin1Char('-'));
}

namespace footers {

QString signedBy()
{
    return QStringLiteral("Software Designed By :") + maker::Name;
}

QStringList contact()
{
    return {maker::EmailLine, maker::WebLine};
}

QStringList expenditureContact()
{
    return {QStringLiteral("Email : ") + maker::EMail, QStringLiteral("Website : ") + maker::WebAddress};
}

}  // namespace footers

QString grandTotalText(const QVariant& sum)
{
    // A sum over no rows is Null: nothing was selected, and the total is 0.
    const double total = sum.isNull() ? 0 : numeric::roundHalfEven(numeric::toDouble(sum));
    return numeric::numberText(total) + QStringLiteral(".00");
}

Report::Report(PrintJob& job, ReportLayout layout, Step step)
    : m_job(job), m_layout(std::move(layout)), m_step(std::move(step))
{
}

void Report::run(const std::function<void()>& output)
{
    if (m_step)
        m_step(output);
    else
        output();
}

void Report::line(const QString& text)
{
    run([&] { m_job.line(m_layout.margin, text); });
}

void Report::rule(int length)
{
    line(print::rule(length));
}

PrintedLine headsAt(const QVector<int>& columns, const QStringList& heads)
{
    PrintedLine placed;
    for (qsizetype i = 0; i < columns.size() && i < heads.size(); ++i)
        placed.append({columns.at(i), heads.at(i)});
    return placed;
}

QStringList letterheadLines(const ShopHeader& head)
{
    return {head.shopName, head.address1, head.address2, head.city, QStringLiteral("Mobile : ") + head.phone};
}

void Report::letterhead(const ShopHeader& head)
{
    for (const QString& text : letterheadLines(head))
        line(text);
    rule();
}

void Report::columnHeads()
{
    if (m_layout.columnHeads.isEmpty())
        return;
    for (const PlacedText& head : m_layout.columnHeads)
        run([&] { m_job.text(head.column, head.text); });
    run([&] { m_job.endLine(); });
    rule();
}

void Report::row(const QVector<QVariant>& values, const QVector<int>& columns)
{
    const int count = int(std::min(values.size(), columns.size()));
    for (int i = 0; i < count; ++i)
        run([&] { m_job.value(columns.at(i), values.at(i)); });
    run([&] { m_job.endLine(); });
}

void Report::grandTotal(const QVariant& sum)
{
    const int m = m_layout.margin;
    rule();
    run([&] { m_job.text(2 * m + 20, QStringLiteral("Grand Total : ")); });
    run([&] { m_job.text(m + 48, grandTotalText(sum)); });
    run([&] { m_job.endLine(); });
}

void Report::footer()
{
    const Footer& footer = m_layout.footer;
    rule(footer.ruleLength);
    for (const QString& text : footer.lines)
        line(text);
    rule(footer.ruleLength);
    emptyLines(footer.emptyLinesAfter);
}

void Report::emptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        run([&] { m_job.endLine(); });
}

void Report::end()
{
    run([&] { m_job.end(); });
}

}  // namespace print
