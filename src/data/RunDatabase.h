#pragma once

#include <QString>

// The database this run of the program works on, chosen once for every
// connection it opens: the data source "Bill" (the program's fixed
// connection string), or a closed year's archive, read only.
namespace rundatabase {

// The program's fixed connection string: the data source "Bill".
extern const QString DataSourceConnectionString;

// The connection string a connection opens with when it is given none.
QString connectionString();

// From now on the run reads the archive, a SQLite file of this program,
// and can write nothing into it: the engine refuses every change.
void useArchive(const QString& path);
// Back to the data source (the tests).
void useDataSource();

// The archive's absolute path; empty while the run works on the data source.
QString archivePath();

// Which of the database files `path` reaches, by whatever name
// (sqlitefile::ownFileOf): the data source's, and the archive's while one is
// open. A file written there would replace the books. Empty when none.
QString ownFileOf(const QString& path);

}  // namespace rundatabase
