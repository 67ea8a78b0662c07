#include "core/ShownText.h"

#include "core/Dates.h"
#include "core/NumericText.h"

#include <QDateTime>

namespace shown {

QString text(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Int:
        return QString::number(value.toInt());  // without QVariant's general conversion
    case QMetaType::Double:
    case QMetaType::Float:
        return numeric::numberText(value.toDouble());
    case QMetaType::QDate:
        return dates::shown(value.toDate());
    case QMetaType::QDateTime:
        return dates::shown(value.toDateTime().date());
    default:
        return value.toString();
    }
}

}  // namespace shown
