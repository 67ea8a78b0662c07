#pragma once

#include <QString>
#include <QVariant>

namespace shown {

// A stored value as the grids and lists show it: numbers in their plain
// text, dates as dd/MMM/yyyy, a Null as nothing.
QString text(const QVariant& value);

}  // namespace shown
