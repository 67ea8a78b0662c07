#pragma once

#include <QString>

// How a SQLite database file is named in a connection string.
namespace sqlitefile {

enum class Access { ReadWrite, ReadOnly };

// The file as a "file:" URI, which the SQLite3 ODBC driver opens as SQLite
// does. Unlike a bare path it keeps a ';' in a folder's name, which would
// otherwise end the connection string's value and open another file.
QString uri(const QString& path, Access access = Access::ReadWrite);

}  // namespace sqlitefile
