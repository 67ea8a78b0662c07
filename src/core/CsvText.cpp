#include "core/CsvText.h"

#include <QRegularExpression>

#include <algorithm>

namespace csv {

namespace {

const QChar TextMark = QLatin1Char('\'');

bool isPlainNumber(const QString& text)
{
    // As a grid shows a number: -5e-05 for the smallest.
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?$"));
    return number.match(text).hasMatch();
}

// Digits that a spreadsheet reads as a number and saves back otherwise: a
// phone or code with a leading 0 (09845012345, 0012) without it, twelve
// digits or more (919845012345) as 9.19845E+11. No number a grid shows
// starts with a 0 and another digit.
bool changedAsANumber(QStringView text)
{
    if (text.size() < 2 || (text.front() != QLatin1Char('0') && text.size() < 12))
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// A ' before a text that needs one, and before one that would read as
// marked, so that taking one off always gives the text back.
bool needsTextMark(QStringView text)
{
    if (text.isEmpty())
        return false;
    if (text.front() == TextMark)
        return needsTextMark(text.mid(1));
    // A '+' number is a phone: a spreadsheet would keep it without its '+'.
    if (text.front() == QLatin1Char('+') || changedAsANumber(text))
        return true;
    return QStringView(u"=-@\t\r").contains(text.front()) && !isPlainNumber(text.toString());
}

QString withoutTextMark(const QString& text)
{
    return text.startsWith(TextMark) && needsTextMark(QStringView(text).mid(1)) ? text.mid(1) : text;
}

const QChar Comma = QLatin1Char(',');
const QChar Quote = QLatin1Char('"');
const QChar LineFeed = QLatin1Char('\n');
const QChar Return = QLatin1Char('\r');

// Reads the records of a text one value at a time.
class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    QVector<Record> all()
    {
        QVector<Record> records;
        while (m_at < m_text.size()) {
            if (skipLineEnd())
                continue;  // a blank line
            records << record();
        }
        return records;
    }

private:
    bool atEnd() const { return m_at >= m_text.size(); }

    // Steps over a line end where there is one.
    bool skipLineEnd()
    {
        const qsizetype length = lineEndAt(m_text, m_at);
        if (length == 0)
            return false;
        m_at += length;
        ++m_line;
        return true;
    }

    Record record()
    {
        Record record;
        record.line = m_line;
        for (;;) {
            record.fields << withoutTextMark(!atEnd() && m_text.at(m_at) == Quote ? quoted(record) : plain());
            if (atEnd() || skipLineEnd())
                return record;
            if (m_text.at(m_at) == Comma) {
                ++m_at;
                continue;
            }
            // Only after a closing quote: the value ends there.
            if (record.problem.isEmpty())
                record.problem = QStringLiteral("a value goes on after its closing quote");
            plain();
            if (atEnd() || skipLineEnd())
                return record;
            ++m_at;  // the comma
        }
    }

    // A value without quotes: up to the next comma or line end.
    QString plain()
    {
        const qsizetype start = m_at;
        while (!atEnd() && m_text.at(m_at) != Comma && m_text.at(m_at) != LineFeed && m_text.at(m_at) != Return)
            ++m_at;
        return m_text.mid(start, m_at - start);
    }

    // A value between quotes, its doubled quotes made single; it may hold
    // commas and line breaks.
    QString quoted(Record& record)
    {
        QString value;
        ++m_at;
        while (!atEnd()) {
            const qsizetype quote = m_text.indexOf(Quote, m_at);
            const qsizetype end = quote < 0 ? m_text.size() : quote;
            const QStringView part = QStringView(m_text).mid(m_at, end - m_at);
            // Lines as skipLineEnd() counts them: a CR alone ends one too.
            m_line += int(part.count(LineFeed) + part.count(Return) - part.count(u"\r\n"));
            value += part;
            m_at = end;
            if (quote < 0)
                break;
            if (quote + 1 < m_text.size() && m_text.at(quote + 1) == Quote) {
                value += Quote;
                m_at = quote + 2;
                continue;
            }
            m_at = quote + 1;
            return value;
        }
        record.problem = QStringLiteral("a quoted value is not closed");
        return value;
    }

    const QString& m_text;
    qsizetype m_at = 0;
    int m_line = 1;
};

}  // namespace

void appendField(QString& out, const QString& value, QChar separator)
{
    const QString text = needsTextMark(value) ? TextMark + value : value;
    const bool quote = text.contains(separator) || text.contains(Quote) || text.contains(LineFeed)
        || text.contains(Return) || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote) {
        out += text;
        return;
    }
    out += Quote;
    out += QString(text).replace(Quote, QStringLiteral("\"\""));
    out += Quote;
}

QString line(const QStringList& fields)
{
    QString text;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += Comma;
        appendField(text, fields.at(i));
    }
    return text + QStringLiteral("\r\n");
}

QVector<Record> records(const QString& text)
{
    return Reader(text).all();
}

}  // namespace csv
