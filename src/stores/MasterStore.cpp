#include "stores/MasterStore.h"

#include "core/DocumentNumbers.h"
#include "core/NumericText.h"
#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

namespace stores {

namespace {

const QString ExpenditureHead = QStringLiteral("ExpenditureHead");

bool isExpenditureHead(const QString& table)
{
    return table == ExpenditureHead;
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

QStringList MasterStore::numbers(Order order) const
{
    return entries(QStringLiteral("Select distinct(SN) from ") + m_table + QStringLiteral(" order by SN ")
                   + (order == Order::HighestFirst ? QStringLiteral("desc") : QStringLiteral("ASC")));
}

MasterRecord MasterStore::record(double sn) const
{
    const QString load = m_shape == RecordShape::Party
        ? QStringLiteral("Select  SN, ITEM , PARTNO ,REMARK  from ") + m_table + QStringLiteral(" where sn = ")
        : isExpenditureHead(m_table)
        ? QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  From ") + m_table + QStringLiteral("  where sn = ")
        : QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  from Charges where sn = ");
    RecordSet found;
    found.open(load + sql::number(sn), connection());
    MasterRecord record;
    record.sn = numeric::toInt16(found.field(0));
    record.first = shown::text(found.field(1));
    record.second = shown::text(found.field(2));
    if (m_shape == RecordShape::Party)
        record.third = shown::text(found.field(3));
    return record;
}

std::optional<qint16> MasterStore::nextNumber() const
{
    const numbering::NextNumber next =
        numbering::afterMaximum(firstValue(QStringLiteral("select max(SN) from ") + m_table));
    if (next.state != numbering::State::Free)
        return std::nullopt;
    return next.number;
}

qint16 MasterStore::save(qint16 sn, const QString& first, const QString& second, const QString& third) const
{
    const QStringList values = m_shape == RecordShape::Party
        ? QStringList{sql::text(first), sql::text(second), sql::text(third)}
        : QStringList{sql::text(first), sql::number(numeric::toDouble(second)), QStringLiteral("'-'"),
                      QStringLiteral("0")};
    const auto insertAt = [&](qint16 number) {
        return claim::insertUnlessTaken(m_table, QStringList{sql::number(number)} + values,
                                        QStringLiteral("SN = ") + sql::number(number));
    };
    return claim::storeUnderFreeNumber(m_table, sn, insertAt, [this] { return nextNumber(); }, connection());
}

void MasterStore::remove(qint16 sn) const
{
    const QString statement = isExpenditureHead(m_table)
        ? QStringLiteral("Delete * From  ") + m_table + QStringLiteral("   where SN = ")
        : QStringLiteral("Delete * from ") + m_table + QStringLiteral(" where SN = ");
    run(statement + sql::number(sn));
}

QVector<PrintedRow> MasterStore::listing() const
{
    const QString table = m_table == QLatin1String("Customer") ? QStringLiteral("CUSTOMER") : m_table;
    RecordSet records;
    records.open(QStringLiteral("Select * from ") + table + QStringLiteral(" ORDER by SN asc"), connection());
    return records.rows();
}

}  // namespace stores
