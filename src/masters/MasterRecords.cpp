#include "masters/MasterRecords.h"

#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/NumericText.h"

namespace masters {

qint16 nextRecordNumber(const QString& nextNumberQuery, Connection& connection)
{
    RecordSet highest;
    highest.open(nextNumberQuery, connection);
    const QVariant largest = highest.field(0);
    if (largest.isNull())
        return 1;
    return numeric::toInt16(numeric::toDouble(largest) + 1);  // Overflow past 32767
}

QString recordInsert(const QString& table, qint16 sn, const QStringList& values)
{
    return claim::insertUnlessTaken(table, QStringList{sql::number(sn)} + values,
                                    QStringLiteral("SN = ") + sql::number(sn));
}

qint16 storeRecord(const QString& table, const QString& nextNumberQuery, qint16 sn, const QStringList& values,
                   Connection& connection)
{
    return claim::storeUnderFreeNumber(
        table, sn, [&](qint16 number) { return recordInsert(table, number, values); },
        [&]() -> std::optional<qint16> { return nextRecordNumber(nextNumberQuery, connection); }, connection);
}

}  // namespace masters
