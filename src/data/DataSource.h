#pragma once

#include <QString>
#include <QVector>

// The ODBC data sources as unixODBC itself finds them: read and written
// through its installer library, so the program, the billdb tool and the
// driver manager look in the same place ($ODBCINI when set, else the
// account's own file that "odbcinst -j" names; a system-wide definition
// counts as defined too).
namespace datasource {

// The data source the program connects to.
inline const QString ProgramDataSource = QStringLiteral("Bill");

struct Setting {
    QString key;
    QString value;
};

// Every setting of a SQLite database's data source, the driver first. Both
// the data source billdb defines and the direct connection to a file use
// this list.
QVector<Setting> sqliteSettings(const QString& databasePath);
// The settings among them that keep the data safe: the journal, the syncing
// of commits, the bounded wait for a busy database.
QVector<Setting> sqliteSafetySettings();
// An ODBC connection string (as QODBC takes it) with the safety settings
// added when it reaches a SQLite database and neither it nor its data
// source sets them.
QString withSqliteSafety(const QString& odbcName);

bool isDefined(const QString& name);
// The value of one setting of a defined data source; empty when it has none.
QString setting(const QString& name, const QString& key);
// Defines the data source for this user with sqliteSettings(). Throws Failure
// with the installer's reason when it cannot be written.
void defineSqlite(const QString& name, const QString& databasePath);

// Where this user's definitions are, in words for messages.
QString userDefinitionsPlace();

// Where a new database goes by default: the user's data folder.
QString defaultDatabasePath();

// What the operator is told after the data source could not be opened with
// that failure: how to set it up, fitting what is there (no definition, a
// database file without one, or a definition whose database did not open).
QString setupAdvice(const QString& name, const QString& failure);

}  // namespace datasource
