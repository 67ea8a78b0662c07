#include "data/JoinedNumbers.h"

#include "core/NumberTexts.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"

#include <QStringView>
#include <QtAlgorithms>
#include <QVector>
#include <algorithm>
#include <array>

namespace joinednumbers {

namespace {

// A mark for each 16-bit number: the numbers come out in order and once
// each, however the engine joined them, without a sort.
class Marks {
public:
    // False for a number beyond 16 bits, which is not marked.
    bool mark(int number)
    {
        if (number < Lowest || number > Highest)
            return false;
        const int bit = number - Lowest;
        m_words[size_t(bit / 64)] |= quint64(1) << (bit % 64);
        return true;
    }

    int count() const
    {
        int marked = 0;
        for (const quint64 word : m_words)
            marked += qPopulationCount(word);
        return marked;
    }

    template <class Use>
    void forEach(bool descending, Use use) const
    {
        const int words = int(m_words.size());
        for (int i = 0; i < words; ++i) {
            const int w = descending ? words - 1 - i : i;
            for (quint64 word = m_words[size_t(w)]; word != 0;) {
                const int bit = descending ? 63 - qCountLeadingZeroBits(word) : qCountTrailingZeroBits(word);
                word &= ~(quint64(1) << bit);
                use(Lowest + w * 64 + bit);
            }
        }
    }

private:
    static constexpr int Lowest = -32768, Highest = 32767;
    std::array<quint64, 65536 / 64> m_words{};
};

}  // namespace

std::optional<QStringList> read(Connection& connection, const QString& table, const QString& column, Column kind,
                                bool descending)
{
    // The numbers are put in order below, since no engine here promises to
    // keep an order through the join. The distinct's own order lets the
    // engine take them from the column's index, as the list statement does.
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
    Marks marks;
    QVector<int> others;
    const QChar* at = text.constData();
    const QChar* const end = at + text.size();
    while (at < end) {
        const QChar* const comma = std::find(at, end, QChar(u','));
        if (comma != at) {
            const std::optional<int> number = numeric::plainWholeNumber(QStringView(at, comma));
            if (!number)
                return std::nullopt;
            if (!marks.mark(*number))
                others.append(*number);
        }
        at = comma + 1;
    }

    // Room for the entries a kept list gains as numbers are stored, each of
    // which would otherwise move every entry to a larger list.
    constexpr int Room = 64;
    QStringList entries;
    if (others.isEmpty()) {
        entries.reserve(marks.count() + Room);
        marks.forEach(descending, [&entries](int number) { entries.append(numbertexts::of(number)); });
        return entries;
    }
    // Numbers beyond 16 bits, which only a SQLite column can hold: sorted with the rest.
    marks.forEach(false, [&others](int number) { others.append(number); });
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    if (descending)
        std::reverse(others.begin(), others.end());
    entries.reserve(others.size() + Room);
    for (const int number : others)
        entries.append(numbertexts::of(number));
    return entries;
}

}  // namespace joinednumbers
