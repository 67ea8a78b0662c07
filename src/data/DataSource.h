#pragma once

#include "data/ServerAddress.h"

#include <QString>
#include <QStringList>
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
// The settings among them that keep the data safe: no new empty file in the
// place of a missing one, the journal, the syncing
// of commits, the bounded wait for a busy database.
QVector<Setting> sqliteSafetySettings();
// An ODBC connection string (as QODBC takes it) with the safety settings
// added when it reaches a SQLite database and neither it nor its data
// source sets them; and always with the driver's transactions on, which a
// data source cannot turn off.
QString withSqliteSafety(const QString& odbcName);

// A server's lock waits end as SQLite's busy waits do, after about four
// seconds, so that a till holding a lock is told as "busy", not waited for.
// A session left in a transaction for a minute (its till switched off or cut
// off mid-change) is ended by the server, and its locks with it: the other
// tills would otherwise be told "busy" until the server noticed, hours on.
// Each session sets them (with what else the program needs); the data source
// carries them too.
inline constexpr const char* ServerSessionSettings =
    "SET lock_timeout TO 4000; SET idle_in_transaction_session_timeout TO 60000";

// How long a till waits for a server that stops answering (a cable pulled,
// its computer asleep or gone) before the operation fails as the connection
// lost: ten seconds to connect, twenty for an answer. Without them an
// operation froze the till until the system gave up, a quarter of an hour
// on. Sent as the driver's libpq options (Pqopt) unless the data source
// sets its own.
inline constexpr const char* ServerNetworkTimeouts =
    "connect_timeout=10 keepalives=1 keepalives_idle=20 keepalives_interval=5 keepalives_count=3 "
    "tcp_user_timeout=20000";

// The ODBC driver of PostgreSQL servers (Debian's odbc-postgresql).
inline const QString PostgresDriver = QStringLiteral("PostgreSQL Unicode");

// Every setting of a server database's data source, the driver first: the
// server, the database and the shop's own account on it. No password: the
// driver's libpq takes it from ~/.pgpass.
QVector<Setting> postgresSettings(const ServerAddress& server);
// The same as a connection string naming the driver (PostgresDriver, or one
// registered under another name), with the password when the address has one.
QString postgresConnectionString(const ServerAddress& server, const QString& driver = PostgresDriver);

// The connection string (as QODBC takes it) as it is sent. A SQLite database
// gets the safety settings (withSqliteSafety) and the program's fixed user
// and password, which SQLite ignores. Any other engine would take them for
// an account, so they are left out: it opens with the account its data
// source names.
QString forConnection(const QString& odbcName);
// A connection string's KEY=VALUE parts, as the driver manager splits them:
// a ';' inside a value in braces is the value's.
QStringList connectionParts(const QString& odbcName);
// A connection string's value as it stands for: its braces taken off, a '}'
// written twice read once. Only there: in a data source's own settings the
// driver manager keeps them.
QString unbraced(const QString& value);
// True when the string reaches a SQLite database (by its driver, or its
// data source's), which ignores user names and passwords.
bool reachesSqlite(const QString& odbcName);
// The path of the SQLite database file the string (or its data source)
// names; empty when it names none.
QString sqliteFile(const QString& odbcName);

bool isDefined(const QString& name);
// The value of one setting of a defined data source; empty when it has none.
QString setting(const QString& name, const QString& key);
// Defines the data source for this user with sqliteSettings(). Throws Failure
// with the installer's reason when it cannot be written.
void defineSqlite(const QString& name, const QString& databasePath);
// Defines the data source for this user with postgresSettings().
void definePostgres(const QString& name, const ServerAddress& server);
// True when the data source's driver is no SQLite one.
bool isServer(const QString& name);
// True when it is (named so, or loading SQLite's library under a name of its own).
bool isSqlite(const QString& name);
// True when it reaches a server through psqlODBC's ANSI build, which cannot
// hand the server's texts over as the program reads them.
bool throughAnsiDriver(const QString& name);
// Sets the data source's driver (for this user), keeping its other settings
// (a shop's own Pqopt or ConnSettings among them). Throws Failure.
void setDriver(const QString& name, const QString& driver);
// The libraries a driver's entry of odbcinst.ini names (Driver, Driver64),
// whatever the entry is called.
QStringList librariesOf(const QString& driver);
// True when the driver (a name in odbcinst.ini, or a library's path) is
// installed on this computer: one of its libraries is where the driver
// manager finds it (a path as it stands, a bare name where the loader or
// the manager looks).
bool driverInstalled(const QString& driver);
// Stricter: every library the driver names is found so. For advice that
// offers another driver name, which must not lead astray.
bool driverFound(const QString& driver);
// For a driver not installed: its library that is on this computer but that
// the driver manager cannot load (unreadable to this account, a library it
// needs missing), with the loader's reason; empty when none is.
QString driverLoadFailure(const QString& driver);
// True when the data source names a driver that is not.
bool driverMissing(const QString& name);
// The name the Unicode build of the server's driver is installed under:
// PostgresDriver, or a computer's own name for it.
QString postgresDriver();
// True when this user's own definitions hold the data source (not only the
// system's, for every user).
bool definedForThisUser(const QString& name);
// What to do about a system-wide definition through the ANSI driver: only
// root can set its driver, and a section of this user's would hide it.
QString systemDriverAdvice(const QString& name);
// The server, database and account a server's data source names, in its
// settings or its libpq options, and where it names none, what libpq takes:
// its environment's (PGHOST, PGPORT, PGUSER, PGDATABASE), else its own.
ServerAddress serverOf(const QString& name);
// The value of one option in libpq's "key=value key='value'" text; empty
// when it has none.
QString libpqOption(const QString& options, const QString& key);
// True when a server's data source holds a password of its own, which the
// driver sends in place of the one in ~/.pgpass.
bool holdsPassword(const QString& name);
// Takes that password out of this user's definition. Throws Failure.
void removePassword(const QString& name);
// True when this user's section of the data source names no database but
// hides a definition for every user that does.
bool hidesSystemDefinition(const QString& name);
// The file a data source's Database setting names: a file: URI as its path.
QString databaseFile(const QString& databaseSetting);

// Where this user's definitions are, in words for messages.
QString userDefinitionsPlace();

// Where a new database goes by default: the user's data folder.
QString defaultDatabasePath();

// What the operator is told after the data source could not be opened with
// that failure: how to set it up, fitting what is there (no definition, a
// database file without one, or a definition whose database did not open).
QString setupAdvice(const QString& name, const QString& failure);

}  // namespace datasource
