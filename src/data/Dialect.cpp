#include "data/Dialect.h"

#include "core/Dates.h"
#include "core/Failure.h"
#include "data/ResultNames.h"
#include "data/Tables.h"

#include <QRegularExpression>
#include <QStringList>

std::unique_ptr<Dialect> Dialect::forEngine(const QString& engineName)
{
    if (engineName.contains(QLatin1String("sqlite"), Qt::CaseInsensitive))
        return std::make_unique<SqliteDialect>();
    if (engineName.contains(QLatin1String("postgres"), Qt::CaseInsensitive))
        return std::make_unique<PostgresDialect>();
    return std::make_unique<StandardDialect>();
}

namespace {

// The end of the quoted stretch that starts at start: after the closing
// quote (a doubled quote inside is one escaped quote), or the statement's end.
int quotedEnd(const QString& statement, int start, bool& closed)
{
    const QChar quote = statement.at(start);
    const int length = statement.size();
    for (int i = start + 1; i < length; ++i) {
        if (statement.at(i) != quote)
            continue;
        if (i + 1 < length && statement.at(i + 1) == quote) {
            ++i;
            continue;
        }
        closed = true;
        return i + 1;
    }
    closed = false;
    return length;
}

// The end of the comment that starts at start, or -1 when none starts there.
int commentEnd(const QString& statement, int start)
{
    if (statement.mid(start, 2) == QLatin1String("--")) {
        const int newline = statement.indexOf(QLatin1Char('\n'), start);
        return newline < 0 ? statement.size() : newline + 1;
    }
    if (statement.mid(start, 2) == QLatin1String("/*")) {
        const int close = statement.indexOf(QLatin1String("*/"), start + 2);
        return close < 0 ? statement.size() : close + 2;
    }
    return -1;
}

// Whether the text ends with the word Like (and blanks): what comes next is a pattern.
bool endsWithLike(const QString& text)
{
    int end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    const int start = end - 4;
    return start >= 0 && QStringView(text).mid(start, 4).compare(QLatin1String("like"), Qt::CaseInsensitive) == 0
        && (start == 0 || !(text.at(start - 1).isLetterOrNumber() || text.at(start - 1) == QLatin1Char('_')));
}

// Whether the pattern ending at `end` names its own escape character: it is
// then read as written on every engine.
bool escapeFollows(const QString& statement, int end)
{
    static const QRegularExpression escape(QStringLiteral(R"(\G\s*escape\b)"), QRegularExpression::CaseInsensitiveOption);
    return escape.match(statement, end).hasMatch();
}

}  // namespace

QString StandardDialect::rewrite(const QString& statement) const
{
    // Walk the statement: literals in single quotes, identifiers in double
    // quotes and comments are copied as they are (a literal through
    // rewriteLiteral); the code between them goes to rewriteCode.
    QString result;
    result.reserve(statement.size() + 16);
    const int length = statement.size();
    int codeStart = 0;
    const auto takeCode = [&](int end) {
        if (end > codeStart)
            result += rewriteCode(statement.mid(codeStart, end - codeStart), codeStart == 0);
    };
    for (int position = 0; position < length;) {
        const QChar c = statement.at(position);
        bool closed = true;
        int end = -1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            end = quotedEnd(statement, position, closed);
        else if (c == QLatin1Char('-') || c == QLatin1Char('/'))
            end = commentEnd(statement, position);
        if (end < 0) {
            ++position;
            continue;
        }
        takeCode(position);
        const QString stretch = statement.mid(position, end - position);
        if (c != QLatin1Char('\'') || !closed)
            result += stretch;
        else if (endsWithLike(result) && !escapeFollows(statement, end))
            result += rewritePattern(stretch);
        else
            result += rewriteLiteral(stretch);
        position = codeStart = end;
    }
    takeCode(length);
    return result;
}

QString StandardDialect::rewriteLiteral(const QString& literal) const
{
    return literal;
}

QString StandardDialect::rewriteCode(const QString& code, bool atStatementStart) const
{
    QString result = code;
    if (atStatementStart) {
        static const QRegularExpression deleteStar(
            QStringLiteral(R"(^(\s*)delete\s*\*\s*from\b)"),
            QRegularExpression::CaseInsensitiveOption);
        result.replace(deleteStar, QStringLiteral("\\1DELETE FROM"));
    }

    static const QRegularExpression hashDate(QStringLiteral("#([^#]*)#"));
    QString rewritten;
    int last = 0;
    auto matches = hashDate.globalMatch(result);
    while (matches.hasNext()) {
        const auto match = matches.next();
        const QDate date = dates::parse(match.captured(1));
        if (!date.isValid())
            throw Failure(QStringLiteral("Syntax error in date in query expression '#%1#'.")
                              .arg(match.captured(1)));
        rewritten += result.mid(last, match.capturedStart() - last);
        rewritten += dateLiteral(date);
        last = match.capturedEnd();
    }
    rewritten += result.mid(last);
    return rewritten;
}

QString StandardDialect::dateLiteral(const QDate& date) const
{
    return QLatin1Char('\'') + date.toString(Qt::ISODate) + QLatin1Char('\'');
}

namespace {

// "column Like" and "column not Like" on one of the columns, maybe named
// with its table ("a.Amount"): the column, the blanks and "not " captured.
QRegularExpression likeOn(const QString& columns)
{
    return QRegularExpression(QStringLiteral(R"(\b((?:\w+\.)?\b(?:%1))(\s+)(not\s+)?like\b)").arg(columns),
                              QRegularExpression::CaseInsensitiveOption);
}

const QString DoubleColumns = QStringLiteral("VALUEofCHARGES|Amount|TaxInPercentage|DiscountinPercentage|MRP");

}  // namespace

QString SqliteDialect::rewriteCode(const QString& code, bool atStatementStart) const
{
    // SQLite's text of an integer is already the plain one.
    static const QRegularExpression numericLike = likeOn(DoubleColumns);
    QString result = StandardDialect::rewriteCode(code, atStatementStart);
    result.replace(numericLike, QStringLiteral("printf('%.15g', \\1)\\2\\3Like"));
    return result;
}

QString PostgresDialect::rewriteCode(const QString& code, bool atStatementStart) const
{
    // The server's text of a double is the shortest that reads back the
    // same: 100, 10.5. Like is no operator of numbers there at all.
    static const QRegularExpression numericLike =
        likeOn(DoubleColumns + QStringLiteral("|BillNumber|Serial|Quantity|SN|EXTRA2|UserSN"));
    QString result = StandardDialect::rewriteCode(code, atStatementStart);
    result.replace(numericLike, QStringLiteral("CAST(\\1 AS TEXT)\\2\\3Like"));
    return result;
}

QString PostgresDialect::rewrite(const QString& statement) const
{
    // "Select distinct(X) from ... order by Y desc", Y another column: the
    // server sorts only by what it selects. Each X is ordered by the Y it
    // comes first with, as SQLite orders them.
    static const QRegularExpression distinctByOther(
        QStringLiteral(R"(^\s*select\s+distinct\s*\(\s*(\w+)\s*\)(\s+as\s+\w+)?(\s+from\s.*\S)\s+order\s+by\s+(\w+)(?:\s+(asc|desc))?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString result = StandardDialect::rewrite(statement);
    const auto match = distinctByOther.match(result);
    if (match.hasMatch() && match.captured(1).compare(match.captured(4), Qt::CaseInsensitive) != 0) {
        const bool descending = match.captured(5).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
        result = QStringLiteral("Select %1%2%3 group by %1 order by %4(%5) %6")
                     .arg(match.captured(1), match.captured(2), match.captured(3),
                          descending ? QStringLiteral("max") : QStringLiteral("min"), match.captured(4),
                          descending ? QStringLiteral("desc") : QStringLiteral("asc"));
    }
    return result;
}

QString PostgresDialect::rewritePattern(const QString& literal) const
{
    // The server's Like takes '\' as its escape character: doubled, it is one
    // backslash of the text.
    QString pattern = literal;
    return pattern.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
}

QString PostgresDialect::dateLiteral(const QDate& date) const
{
    return QStringLiteral("DATE '") + date.toString(Qt::ISODate) + QLatin1Char('\'');
}

QVector<QString> PostgresDialect::resultNames(const QString& statement, const QVector<QString>& driverNames) const
{
    static const resultnames::Spellings spellings(schema::columnNames());
    return resultnames::restored(statement, driverNames, spellings);
}

QString PostgresDialect::numberingLock(const QString& table) const
{
    // The program's own key ("BILL") and the table's, by its name in any case.
    return QStringLiteral("SELECT 1 FROM pg_advisory_xact_lock(1112100940, hashtext(lower('%1')))").arg(table);
}

QString PostgresDialect::joinedTexts(const QString& expression) const
{
    return QStringLiteral("string_agg(cast(") + expression + QStringLiteral(" as text), ',')");
}

// The SQLite ODBC driver ends a statement at a character beyond the Basic
// Multilingual Plane (an emoji, say). Such characters are written with
// char() and joined to the rest of the literal, which reads back the same.
QString SqliteDialect::rewriteLiteral(const QString& literal) const
{
    const QString content = literal.mid(1, literal.size() - 2);
    QStringList parts;
    QString text;
    QStringList codes;
    const auto takeText = [&] {
        if (!text.isEmpty())
            parts << QLatin1Char('\'') + text + QLatin1Char('\'');
        text.clear();
    };
    const auto takeCodes = [&] {
        if (!codes.isEmpty())
            parts << QStringLiteral("char(") + codes.join(QLatin1Char(',')) + QLatin1Char(')');
        codes.clear();
    };
    for (int i = 0; i < content.size(); ++i) {
        const QChar c = content.at(i);
        if (c.isHighSurrogate() && i + 1 < content.size() && content.at(i + 1).isLowSurrogate()) {
            takeText();
            codes << QString::number(QChar::surrogateToUcs4(c, content.at(++i)));
        } else {
            takeCodes();
            text += c;
        }
    }
    if (parts.isEmpty() && codes.isEmpty())
        return literal;  // nothing beyond the plane
    takeText();
    takeCodes();
    return QLatin1Char('(') + parts.join(QStringLiteral(" || ")) + QLatin1Char(')');
}
