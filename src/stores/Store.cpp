#include "stores/Store.h"

#include "core/NumberTexts.h"
#include "core/ShownText.h"
#include "data/BillSums.h"
#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/DbError.h"
#include "data/QueryRows.h"
#include "data/ReadTogether.h"
#include "data/RecordSet.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace stores {

namespace {

// The lists (and single values) this run read last, by statement, with
// the version of their table they were read at. A few lists of up to
// 32,767 entries each.
struct KeptResult {
    qint64 version = 0;
    QVariant result;
};

QHash<QString, KeptResult>& keptLists()
{
    static QHash<QString, KeptResult> lists;
    return lists;
}

constexpr int MostListsKept = 32;

}  // namespace

Store::Store() : m_own(std::make_unique<Connection>()), m_connection(m_own.get())
{
    m_own->keepOpen();
}

Store::Store(Connection& connection) : m_connection(&connection) {}

Store::Store(SharedConnection) : Store(Connectionx::sharedConnection()) {}

Store::~Store() = default;

void Store::open() const
{
    m_connection->open();
}

bool Store::isOpen() const
{
    return m_connection->isOpen();
}

void Store::readTogether(const std::function<void()>& reads) const
{
    std::optional<ReadTogether> together;
    if (m_connection->isOpen() && !m_connection->inTransaction())
        together.emplace(*m_connection);
    reads();
}

void Store::close() const
{
    m_connection->release();
}

QStringList Store::entries(const QString& statement, const QString& table) const
{
    return keptOrRead(statement, table, [&] { return QVariant(readEntries(statement)); }).toStringList();
}

QStringList Store::numberEntries(const NumberList& list) const
{
    return keptOrRead(list.statement, list.table, [&] {
        const bool descending = list.order == Order::HighestFirst;
        std::optional<QStringList> joined;
        if (!list.keyedIn.isEmpty() && !m_connection->inTransaction()) {
            try {
                joined = joinednumbers::read(*m_connection, list.keyedIn, list.column, joinednumbers::Column::Key,
                                             descending);
            } catch (const DbError& error) {
                if (!billsums::linesReadInstead(error, *m_connection))
                    throw;
            }
        }
        if (!joined)
            joined = joinednumbers::read(*m_connection, list.table, list.column, list.kind, descending);
        return QVariant(joined ? *joined : readEntries(list.statement));
    }).toStringList();
}

QVariant Store::keptOrRead(const QString& statement, const QString& table, const std::function<QVariant()>& read) const
{
    // The version before the rows: a change committed between the two
    // leaves the result kept under the older version, to be read again.
    const std::optional<qint64> version = table.isEmpty() ? std::nullopt : changes::version(*m_connection, table);
    if (version) {
        const auto kept = keptLists().constFind(statement);
        if (kept != keptLists().cend() && kept->version == *version)
            return kept->result;
    }
    QVariant result = read();
    if (version) {
        if (keptLists().size() >= MostListsKept)
            keptLists().clear();
        keptLists().insert(statement, {*version, result});
    }
    return result;
}

Store::KeptListsEdit::KeptListsEdit(const Store& store, const QString& table)
    : m_store(store), m_table(table)
{
    // Outside a transaction another till could write between the versions.
    if (store.m_connection->inTransaction() && changes::takeWritingTurn(*store.m_connection))
        m_before = changes::versionWhileWriting(*store.m_connection, table);
}

void Store::KeptListsEdit::editKeptLists(const QStringList& statements,
                                         const std::function<void(QStringList&)>& edit) const
{
    if (!m_before)
        return;
    if (!m_after)
        m_after = changes::versionWhileWriting(*m_store.m_connection, m_table);
    if (!m_after)
        return;
    for (const QString& statement : statements) {
        const auto kept = keptLists().find(statement);
        if (kept == keptLists().end())
            continue;
        if (kept->version != *m_before) {
            keptLists().erase(kept);
            continue;
        }
        // Taken out of the kept lists, the list is edited in place, not
        // copied entry by entry (32,767 of them) for one entry more or less;
        // an edit that fails leaves it to be read again.
        QStringList entries = kept->result.toStringList();
        keptLists().erase(kept);
        edit(entries);
        keptLists().insert(statement, {*m_after, entries});
    }
}

void Store::KeptListsEdit::editNumberList(const NumberList& list, qint16 number, bool there) const
{
    const QString text = numbertexts::of(number);
    editKeptLists({list.statement}, [&](QStringList& numbers) {
        const auto place = std::lower_bound(numbers.begin(), numbers.end(), number, [&](const QString& entry, qint16 n) {
            return list.order == Order::LowestFirst ? entry.toInt() < n : entry.toInt() > n;
        });
        const bool listed = place != numbers.end() && *place == text;
        if (there && !listed)
            numbers.insert(place, text);
        else if (!there && listed)
            numbers.erase(place);
    });
}

QStringList Store::readEntries(const QString& statement) const
{
    QueryRows rows = QueryRows::run(statement, *m_connection);
    if (rows.fieldNames().isEmpty())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return rows.fetchTexts(0, shown::text);
}

QVariant Store::firstValue(const QString& statement, const QString& table) const
{
    return keptOrRead(statement, table, [&] {
        RecordSet result;
        result.open(statement, *m_connection);
        return result.field(0);
    });
}

PagedRows Store::pagedRows(const QString& statement, const RowKeyOrder& keyOrder) const
{
    if (!m_gridConnection) {
        m_gridConnection = std::make_shared<Connection>();
        m_gridConnection->keepOpen();
    }
    return PagedRows::read(statement, m_gridConnection, keyOrder);
}

void Store::run(const QString& statement) const
{
    RecordSet result;
    result.open(statement, *m_connection);
}

}  // namespace stores
