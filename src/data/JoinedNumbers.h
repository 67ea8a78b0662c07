#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// The distinct whole numbers of one column of a table, in ascending or
// descending order, each in its plain text: what "Select distinct(C) from T
// order by C" lists. The database joins them into one text, so a list of
// 32,767 numbers comes through the driver as one value instead of 32,767
// rows (which cost the drivers three times the database's own work).
//
// Nothing (the caller reads the list row by row) when the column holds a
// null or a value that is no whole number: where such a value would stand
// in the list is the engine's to say.
namespace joinednumbers {

// A key column (each number stands once) is joined as it is, any other
// through a distinct.
enum class Column { Key, Repeating };
std::optional<QStringList> read(Connection& connection, const QString& table, const QString& column, Column kind,
                                bool descending);

}  // namespace joinednumbers
