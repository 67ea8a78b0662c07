#pragma once

#include "core/DocumentValues.h"

#include <QDate>
#include <QVector>
#include <QtGlobal>

class Connection;

namespace reports {

// The bills with a line dated from `from` to `to` (both whole days), in
// ascending number, read with one statement on an open connection.
// Throws DbError.
QVector<BillTotals> billTotals(Connection& connection, const QDate& from, const QDate& to);

}  // namespace reports
