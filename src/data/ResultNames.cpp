#include "data/ResultNames.h"

#include <QHash>
#include <QRegularExpression>
#include <functional>

namespace resultnames {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// True when the keyword stands at position as a whole word.
bool wordAt(const QString& text, int position, QLatin1String keyword)
{
    const int end = position + int(keyword.size());
    return text.mid(position, keyword.size()).compare(keyword, Qt::CaseInsensitive) == 0
        && (position == 0 || !isWordCharacter(text.at(position - 1)))
        && (end >= text.size() || !isWordCharacter(text.at(end)));
}

// The name SQLite gives the column of one select item.
QString itemName(const QString& item, const std::function<QString(const QString&)>& spelled)
{
    static const QRegularExpression alias(QStringLiteral(R"(\s+as\s+("?)(\w+)\1\s*$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bareAlias(QStringLiteral(R"(^(.*[\w)'"])\s+(\w+)$)"));
    static const QRegularExpression column(QStringLiteral(R"(^[(\s]*(?:\w+\.)?(\w+)[)\s]*$)"));
    if (const auto match = alias.match(item); match.hasMatch())
        return match.captured(2);
    if (const auto match = column.match(item); match.hasMatch()
        && item.count(QLatin1Char('(')) == item.count(QLatin1Char(')')))
        return spelled(match.captured(1));
    if (const auto match = bareAlias.match(item); match.hasMatch())
        return match.captured(2);
    return item;
}

// The select list, and where the first FROM after it starts (-1 for none).
QStringList selectList(const QString& statement, int& fromAt)
{
    fromAt = -1;
    static const QRegularExpression start(QStringLiteral(R"(^\s*select\b\s*(?:(?:distinct|all)\b\s*)?)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto opening = start.match(statement);
    if (!opening.hasMatch())
        return {};
    QStringList items;
    int depth = 0;
    int itemStart = opening.capturedEnd();
    const int length = statement.size();
    for (int i = itemStart; i < length; ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int close = statement.indexOf(c, i + 1);
            if (close < 0)
                return {};
            i = close;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth < 0)
                return {};
        } else if (depth == 0 && c == QLatin1Char(',')) {
            items << statement.mid(itemStart, i - itemStart).trimmed();
            itemStart = i + 1;
        } else if (depth == 0 && wordAt(statement, i, QLatin1String("from"))) {
            items << statement.mid(itemStart, i - itemStart).trimmed();
            fromAt = i;
            return items;
        }
    }
    if (depth != 0)
        return {};
    items << statement.mid(itemStart).trimmed();
    return items;
}

}  // namespace

QStringList selectList(const QString& statement)
{
    int fromAt = -1;
    return selectList(statement, fromAt);
}

QString firstTable(const QString& statement)
{
    int fromAt = -1;
    selectList(statement, fromAt);
    static const QRegularExpression table(QStringLiteral(R"(^from\s+(\w+))"), QRegularExpression::CaseInsensitiveOption);
    return fromAt < 0 ? QString() : table.match(statement.mid(fromAt)).captured(1);
}

Spellings::Spellings(const QHash<QString, QStringList>& tables)
{
    QStringList names = tables.keys();
    names.sort();  // a name two tables spell apart is spelled the same way every run
    for (const QString& table : names) {
        QHash<QString, QString>& own = m_byTable[table];
        for (const QString& name : tables.value(table)) {
            own.insert(name.toLower(), name);
            m_anyTable.insert(name.toLower(), name);
        }
    }
}

QString Spellings::of(const QString& name, const QString& firstTable) const
{
    const QString lower = name.toLower();
    const auto own = m_byTable.constFind(firstTable.toLower());
    if (own != m_byTable.cend()) {
        const auto spelled = own->constFind(lower);
        if (spelled != own->cend())
            return *spelled;
    }
    return m_anyTable.value(lower, name);
}

QVector<QString> restored(const QString& statement, const QVector<QString>& driverNames, const Spellings& spellings)
{
    const QString first = firstTable(statement);
    const auto spelled = [&](const QString& name) { return spellings.of(name, first); };

    const QStringList items = selectList(statement);
    bool byItems = items.size() == driverNames.size();
    for (const QString& item : items)
        byItems = byItems && !item.isEmpty() && !item.endsWith(QLatin1Char('*'));
    QVector<QString> names;
    names.reserve(driverNames.size());
    for (int i = 0; i < driverNames.size(); ++i)
        names << (byItems ? itemName(items.at(i), spelled) : spelled(driverNames.at(i)));
    return names;
}

}  // namespace resultnames
