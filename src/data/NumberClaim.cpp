#include "data/NumberClaim.h"

#include "core/Failure.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"

namespace claim {

QString insertUnlessTaken(const QString& table, const QStringList& values, const Condition& taken)
{
    return QStringLiteral("insert into %1 select %2 where not exists (select 1 from %1 where %3)")
        .arg(table, values.join(QLatin1Char(',')), taken);
}

void lockNumbers(const QString& table, Connection& connection)
{
    const QString lock = connection.dialect().numberingLock(table);
    if (lock.isEmpty())
        return;
    RecordSet locked;
    locked.open(lock, connection);
}

qint16 storeUnderFreeNumber(const QString& table, qint16 number, const InsertAt& insertAt,
                            const NextNumber& nextNumber, Connection& connection)
{
    for (;;) {
        RecordSet stored;
        stored.open(insertAt(number), connection);
        if (stored.rowsAffected() == 1)
            return number;
        // Not free: the next number read now, under the lock, is another one
        // (above it when a row took it; below when the rows above it went).
        const std::optional<qint16> next = nextNumber();
        if (!next || *next == number)
            throw Failure(QStringLiteral("No free number is left in %1.").arg(table));
        number = *next;
    }
}

}  // namespace claim
