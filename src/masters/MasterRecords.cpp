#include "masters/MasterRecords.h"

#include "core/NumericText.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

namespace masters {

namespace {
constexpr qint16 HighestSN = 32767;
}

std::optional<qint16> nextRecordNumber(const QString& nextNumberQuery, Connection& connection)
{
    RecordSet highest;
    highest.open(nextNumberQuery, connection);
    const QVariant largest = highest.field(0);
    if (largest.isNull())
        return 1;
    const double number = numeric::toDouble(largest);
    if (number >= HighestSN)
        return std::nullopt;
    return numeric::toInt16(number + 1);
}

QString usedUpMessage()
{
    return QStringLiteral("SNs are used up: the highest SN is %1.").arg(HighestSN);
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
