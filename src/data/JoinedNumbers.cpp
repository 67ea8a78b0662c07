#include "data/JoinedNumbers.h"

#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"

#include <QStringView>
#include <QVector>
#include <algorithm>
#include <utility>

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

    // Each number keeps the text the database gave it: formatting 32,767
    // numbers again costs as much as reading them.
    const QString text = joined.field(0).toString();
    QVector<std::pair<int, QStringView>> numbers;
    for (const QStringView piece : QStringView(text).tokenize(u',', Qt::SkipEmptyParts)) {
        const std::optional<int> number = numeric::plainWholeNumber(piece);
        if (!number)
            return std::nullopt;
        numbers.append({*number, piece});
    }
    std::sort(numbers.begin(), numbers.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    numbers.erase(std::unique(numbers.begin(), numbers.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                  numbers.end());
    if (descending)
        std::reverse(numbers.begin(), numbers.end());

    QStringList entries;
    entries.reserve(numbers.size());
    for (const auto& number : numbers)
        entries.append(number.second.toString());
    return entries;
}

}  // namespace joinednumbers
