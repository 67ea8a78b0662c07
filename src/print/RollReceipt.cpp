#include "print/RollReceipt.h"

#include "core/NumericText.h"
#include "print/ReceiptTexts.h"
#include "print/TextColumns.h"

#include <algorithm>

namespace print {

namespace {

// Columns of the figures, from the line's right end: the total takes
// "99999999.99", the price "9999999.99", the quantity "-32768".
constexpr int TotalWidth = 11, PriceWidth = 10, QuantityWidth = 6;

// The text as lines of at most `width` columns, broken at the last blank
// that fits (the blanks dropped), or within a word longer than a line.
QStringList brokenAt(QString text, int width)
{
    QStringList lines;
    while (textColumns(text) > width) {
        // At least one letter a line, however narrow the line.
        const qsizetype fits = std::max(fittingLength(text, width), firstLetterLength(text));
        qsizetype cut = text.lastIndexOf(QLatin1Char(' '), fits);
        qsizetype next = cut;
        while (cut > 0 && text.at(cut - 1) == QLatin1Char(' '))
            --cut;
        if (cut <= 0)
            cut = next = fits;
        lines << text.left(cut);
        while (next < text.size() && text.at(next) == QLatin1Char(' '))
            ++next;
        text = text.mid(next);
    }
    lines << text;
    return lines;
}

// Two decimals, a half paisa to the even one as whole totals are rounded:
// 3 x 2.675 is a hair under 8.025 in binary, and the file's driver hands it
// over as 15-digit text, a hair over; either way it prints 8.02.
QString money(double value)
{
    return QString::number(numeric::roundHalfEven(value * 100) / 100, 'f', 2);
}

// A stored figure as printed on the roll: money with two decimals, a
// quantity as a whole number, a value that is no number as nothing.
QString figureText(const QVariant& value, bool isMoney)
{
    if (!printsAsNumber(value))
        return {};
    return isMoney ? money(value.toDouble()) : numeric::numberText(value.toDouble());
}

struct Figure {
    QString text;
    int rightEdge;  // the column its last character stands in, when it has room
};

// The columns the figures start at, side by side on one line: each ends at
// its edge, or further left where the figure after it needs the room (one
// blank between two). The first may start left of column 1: no room.
QVector<int> startsSideBySide(const QVector<Figure>& figures)
{
    QVector<int> starts(figures.size());
    int limit = figures.isEmpty() ? 0 : figures.last().rightEdge;
    for (qsizetype i = figures.size() - 1; i >= 0; --i) {
        const int end = std::min(figures.at(i).rightEdge, limit);
        starts[i] = end - textColumns(figures.at(i).text) + 1;
        limit = starts[i] - 2;
    }
    return starts;
}

class RollLayout {
public:
    RollLayout(PrintJob& job, int columns, const Report::Step& step)
        : m_columns(std::max(columns, NarrowestRollLine)),
          m_report(job, {1, {}, {QStringList{}, m_columns}}, step)
    {
    }

    // The text on as many lines as it needs.
    void text(const QString& text)
    {
        for (const QString& line : brokenAt(text, m_columns))
            m_report.line(line);
    }
    void rule() { m_report.rule(m_columns); }

    void columnHeads()
    {
        const QVector<Figure> heads{{QStringLiteral("Qty"), quantityEdge()},
                                    {QStringLiteral("Price"), priceEdge()},
                                    {QStringLiteral("Total"), m_columns}};
        figureLine(QStringLiteral("Item"), heads);
        rule();
    }

    // The item's name and its figures: on one line when the name ends a
    // blank before the first figure, else the name on lines of its own.
    void item(const QString& name, const QString& quantity, const QString& price, const QString& total)
    {
        const QVector<Figure> figures{{quantity, quantityEdge()}, {price, priceEdge()}, {total, m_columns}};
        if (startsSideBySide(figures).first() < 1) {
            // Too wide for one line together: the total on a line of its own,
            // then if need be each figure.
            text(name);
            figureLines(figures.mid(0, 2));
            figureLines({figures.last()});
            return;
        }
        figureLine(name, figures);
    }

    void grandTotal(double sum)
    {
        rule();
        figureLine(QStringLiteral("Grand Total :"), {{grandTotalText(sum), m_columns}});
    }

    void footer(const QStringList& lines)
    {
        rule();
        for (const QString& line : lines)
            text(line);
        rule();
    }

private:
    int quantityEdge() const { return priceEdge() - PriceWidth - 1; }
    int priceEdge() const { return m_columns - TotalWidth - 1; }

    // The label at column 1 and the figures on one line when the label ends
    // a blank before them; else the label on lines of its own first.
    void figureLine(const QString& label, const QVector<Figure>& figures)
    {
        const QVector<int> starts = startsSideBySide(figures);
        if (textColumns(label) + 1 >= starts.first()) {
            text(label);
            figureLines(figures);
            return;
        }
        QVector<QVariant> values{label};
        QVector<int> columns{1};
        for (qsizetype i = 0; i < figures.size(); ++i) {
            values << figures.at(i).text;
            columns << starts.at(i);
        }
        m_report.row(values, columns);
    }

    // The figures side by side where they fit, else each on a line of its own.
    void figureLines(const QVector<Figure>& figures)
    {
        const QVector<int> starts = startsSideBySide(figures);
        if (starts.first() >= 1) {
            QVector<QVariant> values;
            for (const Figure& figure : figures)
                values << figure.text;
            m_report.row(values, starts);
            return;
        }
        for (const Figure& figure : figures)
            m_report.row({figure.text}, {std::max(figure.rightEdge - textColumns(figure.text) + 1, 1)});
    }

    int m_columns;
    Report m_report;
};

}  // namespace

void rollReceipt(PrintJob& job, const ShopHeader& letterhead, const ReceiptValues& document, int columns,
                 const Report::Step& step)
{
    RollLayout roll(job, columns, step);
    for (const QString& line : letterheadLines(letterhead))
        roll.text(line);
    roll.rule();
    for (const QString& line : documentLines(document))
        roll.text(line);
    roll.rule();
    roll.columnHeads();
    for (qsizetype i = 0; i < document.lines.size(); ++i) {
        const PrintedRow& line = document.lines.at(i);
        const QString price = i < document.unitAmounts.size() ? money(document.unitAmounts.at(i)) : QString();
        roll.item(line.value(0).toString(), figureText(line.value(1), false), price, figureText(line.value(4), true));
    }
    roll.grandTotal(document.grandTotal);
    roll.footer(receiptFooterLines());
}

}  // namespace print
