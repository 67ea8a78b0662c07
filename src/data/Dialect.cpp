#include "data/Dialect.h"

#include "kit/Dates.h"
#include "kit/Failure.h"

#include <QRegularExpression>

std::unique_ptr<Dialect> Dialect::forEngine(const QString& engineName)
{
    if (engineName.contains(QLatin1String("sqlite"), Qt::CaseInsensitive))
        return std::make_unique<SqliteDialect>();
    return std::make_unique<StandardDialect>();
}

QString StandardDialect::rewrite(const QString& statement) const
{
    // Walk the statement, handing the text outside single-quoted literals to
    // rewriteCode and copying literals ('' inside one is an escaped quote) as they are.
    QString result;
    result.reserve(statement.size() + 16);
    int position = 0;
    const int length = statement.size();
    while (position < length) {
        int quote = statement.indexOf(QLatin1Char('\''), position);
        if (quote < 0)
            quote = length;
        result += rewriteCode(statement.mid(position, quote - position), position == 0);
        if (quote == length)
            break;
        int end = quote + 1;
        while (end < length) {
            if (statement.at(end) == QLatin1Char('\'')) {
                if (end + 1 < length && statement.at(end + 1) == QLatin1Char('\''))
                    end += 2;
                else
                    break;
            } else {
                ++end;
            }
        }
        result += statement.mid(quote, end + 1 - quote);
        position = end + 1;
    }
    return result;
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

    static const QRegularExpression dateLiteral(QStringLiteral("#([^#]*)#"));
    QString rewritten;
    int last = 0;
    auto matches = dateLiteral.globalMatch(result);
    while (matches.hasNext()) {
        const auto match = matches.next();
        const QDate date = dates::parse(match.captured(1));
        if (!date.isValid())
            throw Failure(QStringLiteral("Syntax error in date in query expression '#%1#'.")
                              .arg(match.captured(1)));
        rewritten += result.mid(last, match.capturedStart() - last);
        rewritten += QLatin1Char('\'') + date.toString(Qt::ISODate) + QLatin1Char('\'');
        last = match.capturedEnd();
    }
    rewritten += result.mid(last);
    return rewritten;
}

QString SqliteDialect::rewriteCode(const QString& code, bool atStatementStart) const
{
    // The double columns of the line and price tables.
    static const QRegularExpression numericLike(
        QStringLiteral(R"(\b(VALUEofCHARGES|Amount|TaxInPercentage|DiscountinPercentage|MRP)(\s+)(not\s+)?like\b)"),
        QRegularExpression::CaseInsensitiveOption);
    QString result = StandardDialect::rewriteCode(code, atStatementStart);
    result.replace(numericLike, QStringLiteral("printf('%.15g', \\1)\\2\\3Like"));
    return result;
}
