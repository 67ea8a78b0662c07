#include "stores/MasterStore.h"

#include "core/DocumentNumbers.h"
#include "core/Failure.h"
#include "core/NumericText.h"
#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "data/Tables.h"

#include <algorithm>
#include <functional>

namespace stores {

namespace {

const QString ExpenditureHead = QStringLiteral("ExpenditureHead");

// Records in one insert statement: few statements, each of a modest length.
constexpr int RecordsPerInsert = 250;

bool isExpenditureHead(const QString& table)
{
    return table == ExpenditureHead;
}

// A record from the fields of a row read in the table's order (SN first);
// a priced name has no third field.
MasterRecord recordFrom(const std::function<QVariant(int)>& field, bool party)
{
    MasterRecord record;
    record.sn = numeric::toInt16(field(0));
    record.first = shown::text(field(1));
    record.second = shown::text(field(2));
    if (party)
        record.third = shown::text(field(3));
    return record;
}

}  // namespace

MasterStore::MasterStore(const QString& table) : m_table(table), m_shape(shapeOf(table)) {}

MasterStore::MasterStore(const QString& table, Connection& connection)
    : Store(connection), m_table(table), m_shape(shapeOf(table))
{
}

MasterStore::MasterStore(const QString& table, SharedConnection shared)
    : Store(shared), m_table(table), m_shape(shapeOf(table))
{
}

RecordShape MasterStore::shapeOf(const QString& table)
{
    return table == QLatin1String("Charges") || isExpenditureHead(table) ? RecordShape::PricedName
                                                                         : RecordShape::Party;
}

QString MasterStore::usedUpMessage()
{
    return QStringLiteral("SNs are used up: the highest SN is %1.").arg(numbering::HighestNumber);
}

QStringList MasterStore::savedColumns() const
{
    return m_shape == RecordShape::Party
        ? QStringList{QStringLiteral("ITEM"), QStringLiteral("PARTNO"), QStringLiteral("REMARK")}
        : QStringList{QStringLiteral("TYPEOFCHARGES"), QStringLiteral("VALUEofCHARGES")};
}

QString MasterStore::keyColumn() const
{
    return m_shape == RecordShape::Party ? QStringLiteral("REMARK") : QStringLiteral("TYPEOFCHARGES");
}

QString MasterStore::keyOf(const MasterRecord& record) const
{
    return m_shape == RecordShape::Party ? record.third : record.first;
}

QString MasterStore::problemWith(const MasterRecord& record) const
{
    const QStringList columns = savedColumns();
    // A name of blanks alone (or of characters that take no room) shows as
    // an empty entry in every list.
    if (std::all_of(record.first.cbegin(), record.first.cend(),
                    [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Format; }))
        return columns.at(0) + QStringLiteral(" is empty");
    const QStringList texts = m_shape == RecordShape::Party
        ? QStringList{record.first, record.second, record.third}
        : QStringList{record.first};
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (texts.at(i).size() > schema::TextWidth)
            return QStringLiteral("%1 has %2 characters, more than %3")
                .arg(columns.at(i))
                .arg(texts.at(i).size())
                .arg(schema::TextWidth);
    if (m_shape == RecordShape::PricedName) {
        if (!numeric::isNumeric(record.second))
            return QStringLiteral("%1 \"%2\" is not a number").arg(columns.at(1), record.second);
        try {
            numeric::toAmount(record.second);
        } catch (const Failure&) {
            return QStringLiteral("%1 \"%2\" is too large (at most %3 either way)")
                .arg(columns.at(1), record.second.trimmed(), numeric::numberText(numeric::LargestTypedAmount));
        }
    }
    return {};
}

// The grid's columns, up to the table (the expenditure heads' statements
// name it after a blank of their own).
QString MasterStore::gridSelect() const
{
    if (m_shape == RecordShape::Party)
        return QStringLiteral("Select  SN, ITEM as Name_, PARTNO as Address_,REMARK as Phone_ from ") + m_table;
    if (isExpenditureHead(m_table))
        return QStringLiteral("Select  SN, TYPEOFCHARGES as Item_Name, VALUEofCHARGES as Price From ");
    return QStringLiteral("Select  SN, TYPEOFCHARGES as Item_Name, VALUEofCHARGES as Price from Charges");
}

PagedRows MasterStore::allRecords() const
{
    if (isExpenditureHead(m_table))
        return pagedRows(gridSelect() + m_table + QStringLiteral("  order by sn desc"));
    return pagedRows(gridSelect() + QStringLiteral(" order by sn desc"));
}

PagedRows MasterStore::search(SearchBy column, const QString& text) const
{
    const bool party = m_shape == RecordShape::Party;
    const QString searched = column == SearchBy::Name ? (party ? QStringLiteral("ITEM") : QStringLiteral("TYPEOFCHARGES"))
        : column == SearchBy::Second ? (party ? QStringLiteral("PARTNO") : QStringLiteral("VALUEofCHARGES"))
                                     : QStringLiteral("REMARK");
    const QString where = isExpenditureHead(m_table) ? QLatin1Char(' ') + m_table + QStringLiteral("   where ")
                                                     : QStringLiteral(" where ");
    return pagedRows(gridSelect() + where + searched + QStringLiteral(" Like ")
                           + sql::text(QLatin1Char('%') + text + QLatin1Char('%')));
}

NumberList MasterStore::numberList(Order order) const
{
    return {QStringLiteral("Select distinct(SN) from ") + m_table + QStringLiteral(" order by SN ")
                + (order == Order::HighestFirst ? QStringLiteral("desc") : QStringLiteral("ASC")),
            m_table, QStringLiteral("SN"), order};
}

QStringList MasterStore::numbers(Order order) const
{
    return numberEntries(numberList(order));
}

// The SN lists as a record stored or deleted under sn leaves them.
void MasterStore::editNumberLists(const KeptListsEdit& edit, qint16 sn, bool stored) const
{
    edit.editNumberList(numberList(Order::LowestFirst), sn, stored);
    edit.editNumberList(numberList(Order::HighestFirst), sn, stored);
}

QString MasterStore::recordStatement(double sn) const
{
    const QString load = m_shape == RecordShape::Party
        ? QStringLiteral("Select  SN, ITEM , PARTNO ,REMARK  from ") + m_table + QStringLiteral(" where sn = ")
        : isExpenditureHead(m_table)
        ? QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  From ") + m_table + QStringLiteral("  where sn = ")
        : QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  from Charges where sn = ");
    return load + sql::number(sn);
}

MasterRecord MasterStore::record(double sn) const
{
    RecordSet found;
    found.open(recordStatement(sn), connection());
    return recordFrom([&](int index) { return found.field(index); }, m_shape == RecordShape::Party);
}

std::optional<qint16> MasterStore::nextNumber() const
{
    const numbering::NextNumber next =
        numbering::afterMaximum(firstValue(QStringLiteral("select max(SN) from ") + m_table));
    if (next.state != numbering::State::Free)
        return std::nullopt;
    return next.number;
}

QStringList MasterStore::insertedValues(const QString& first, const QString& second, const QString& third) const
{
    return m_shape == RecordShape::Party
        ? QStringList{sql::text(first), sql::text(second), sql::text(third)}
        : QStringList{sql::text(first), sql::number(numeric::toDouble(second)), QStringLiteral("'-'"),
                      QStringLiteral("0")};
}

qint16 MasterStore::save(qint16 sn, const QString& first, const QString& second, const QString& third) const
{
    const QStringList values = insertedValues(first, second, third);
    const auto insertAt = [&](qint16 number) {
        return claim::insertUnlessTaken(m_table, QStringList{sql::number(number)} + values,
                                        QStringLiteral("SN = ") + sql::number(number));
    };
    // The numbering lock first, as every claim takes it before its first write.
    claim::lockNumbers(m_table, connection());
    const KeptListsEdit lists(*this, m_table);
    const qint16 stored = claim::storeUnderFreeNumber(m_table, sn, insertAt, [this] { return nextNumber(); }, connection());
    editNumberLists(lists, stored, true);
    return stored;
}

MasterStore::Numbers MasterStore::saveAll(qint16 sn, const QVector<MasterRecord>& records) const
{
    if (records.isEmpty())
        return {};
    const MasterRecord& head = records.first();
    Numbers numbers;
    numbers.first = numbers.last = save(sn, head.first, head.second, head.third);
    const qsizetype rest = records.size() - 1;
    if (rest == 0)
        return numbers;
    // The first record's insert holds the table's numbering lock until the
    // transaction ends: every number above the largest stored stays free.
    const std::optional<qint16> next = nextNumber();
    const int room = next ? numbering::HighestNumber - *next + 1 : 0;
    if (room < rest)
        throw Failure(QStringLiteral("%1 has room for %2 more records, SN %3 to %4, not for %5.")
                          .arg(m_table)
                          .arg(room + 1)
                          .arg(numbers.first)
                          .arg(numbering::HighestNumber)
                          .arg(records.size()));
    int number = *next;
    for (qsizetype start = 1; start < records.size(); start += RecordsPerInsert) {
        QStringList rows;
        for (qsizetype i = start; i < std::min(records.size(), start + RecordsPerInsert); ++i) {
            const MasterRecord& record = records.at(i);
            numbers.last = qint16(number++);
            rows << QLatin1Char('(')
                    + (QStringList{sql::number(numbers.last)} + insertedValues(record.first, record.second, record.third))
                          .join(QLatin1Char(','))
                    + QLatin1Char(')');
        }
        run(QStringLiteral("insert into ") + m_table + QStringLiteral(" values") + rows.join(QLatin1Char(',')));
    }
    return numbers;
}

void MasterStore::remove(qint16 sn, const std::optional<MasterRecord>& shown) const
{
    const QString statement = isExpenditureHead(m_table)
        ? QStringLiteral("Delete * From  ") + m_table + QStringLiteral("   where SN = ")
        : QStringLiteral("Delete * from ") + m_table + QStringLiteral(" where SN = ");
    const KeptListsEdit lists(*this, m_table);  // the writing turn: no till saves under sn meanwhile
    // Nothing deleted is not told as deleted.
    RecordSet stored;
    stored.open(recordStatement(sn), connection());
    if (stored.eof())
        throw Failure(shown ? QStringLiteral("SN %1 (%2) is no longer there: another till deleted it.")
                                  .arg(QString::number(sn), shown->first)
                            : QStringLiteral("SN %1 holds no record.").arg(sn));
    if (shown) {
        const MasterRecord now = recordFrom([&](int index) { return stored.field(index); }, m_shape == RecordShape::Party);
        if (now.first != shown->first || now.second != shown->second || now.third != shown->third)
            throw Failure(now.first == shown->first
                              ? QStringLiteral("SN %1 is no longer the %2 shown: another till deleted it and saved another %2 under its number.")
                                    .arg(QString::number(sn), shown->first)
                              : QStringLiteral("SN %1 is no longer %2: another till deleted it and saved %3 under its number.")
                                    .arg(QString::number(sn), shown->first, now.first));
    }
    run(statement + sql::number(sn));
    editNumberLists(lists, sn, false);
}

QVector<PrintedRow> MasterStore::listing() const
{
    const QString table = m_table == QLatin1String("Customer") ? QStringLiteral("CUSTOMER") : m_table;
    RecordSet records;
    records.open(QStringLiteral("Select * from ") + table + QStringLiteral(" ORDER by SN asc"), connection());
    return records.rows();
}

QVector<MasterRecord> MasterStore::records() const
{
    QVector<MasterRecord> records;
    for (const PrintedRow& row : listing())
        records << recordFrom([&](int index) { return row.at(index); }, m_shape == RecordShape::Party);
    return records;
}

}  // namespace stores
