#include "data/JoinedNumbers.h"

#include "core/NumberTexts.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"

#include <QStringView>
#include <QVector>
#include <algorithm>

namespace joinednumbers {

std::optional<QStringList> read(Connection& connection, const QString& table, const QString& column, Column kind,
                                bool descending)
{
    // The numbers are sorted below, since no engine here promises to keep
    // an order through the join. The distinct's own order lets the engine
    // take them from the column's index, as the list statement does.
    const QString source = kind == Column::Key
        ? table
        : QStringLiteral("(select distinct ") + column + QStringLiteral(" from ") + table + QStringLiteral(" order by ")
            + column + (descending ? QStringLiteral(" desc) q") : QStringLiteral(" asc) q"));
    RecordSet joined;
    joined.open(QStringLiteral("select ") + connection.dialect().joinedTexts(column) + QStringLiteral(", count(*) - count(")
                    + column + QStringLiteral(") from ") + source,
                connection);
    if (joined.field(1).toLongLong() != 0)
        return std::nullopt;

    // A number is told by its plain text, the one QString::number gives it,
    // and listed under the shared text of that number.
    const QString text = joined.field(0).toString();
    QVector<int> numbers;
    for (const QStringView piece : QStringView(text).tokenize(u',', Qt::SkipEmptyParts)) {
        const std::optional<int> number = numeric::plainWholeNumber(piece);
        if (!number)
            return std::nullopt;
        numbers.append(*number);
    }
    // The engines here do join them in one order or the other: a check
    // spares most sorts.
    if (std::is_sorted(numbers.rbegin(), numbers.rend()))
        std::reverse(numbers.begin(), numbers.end());
    else if (!std::is_sorted(numbers.begin(), numbers.end()))
        std::sort(numbers.begin(), numbers.end());
    if (descending)
        std::reverse(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

    QStringList entries;
    entries.reserve(numbers.size());
    for (const int number : numbers)
        entries.append(numbertexts::of(number));
    return entries;
}

}  // namespace joinednumbers
