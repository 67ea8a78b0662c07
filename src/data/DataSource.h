#pragma once

#include <QString>

// The user's ODBC data sources (unixODBC's $ODBCINI, else ~/.odbc.ini).
namespace datasource {

QString userIniPath();
bool isDefined(const QString& name);
// Adds a section for a SQLite database file; a missing file is then an error,
// not a new empty database. Throws Failure when the file cannot be written.
void defineSqlite(const QString& name, const QString& databasePath);

// Where a new database goes by default: the user's data folder.
QString defaultDatabasePath();

}  // namespace datasource
