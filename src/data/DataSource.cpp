#include "data/DataSource.h"

#include "core/Failure.h"
#include "data/ServerAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <optional>
#include <odbcinst.h>

namespace datasource {

namespace {

// The installer's name for the data sources' file, whichever file it is.
const char* const DataSources = "odbc.ini";

// The data source's setting of libpq options, and one key = value pair of
// them: apart by blanks; a value in single quotes may hold blanks; in either,
// a backslash takes the next character as it is (\' \\ and, bare, "\ ").
const QString Options = QStringLiteral("Pqopt");
const QRegularExpression& libpqPair()
{
    static const QRegularExpression pair(
        QStringLiteral("(\\w+)\\s*=\\s*(?:'((?:[^'\\\\]|\\\\.)*)'|((?:[^\\s\\\\]|\\\\.)*))"));
    return pair;
}

// Writes go to this user's definitions; reads see the user's and the
// system's, as the driver manager does when it connects.
class UserDefinitions {
public:
    UserDefinitions() { SQLSetConfigMode(ODBC_USER_DSN); }
    ~UserDefinitions() { SQLSetConfigMode(ODBC_BOTH_DSN); }
    UserDefinitions(const UserDefinitions&) = delete;
    UserDefinitions& operator=(const UserDefinitions&) = delete;
};

Failure installerFailure(const QString& what)
{
    DWORD code = 0;
    char message[SQL_MAX_MESSAGE_LENGTH] = {};
    WORD length = 0;
    QString reason;
    if (SQL_SUCCEEDED(SQLInstallerError(1, &code, message, sizeof message, &length)))
        reason = QString::fromLocal8Bit(message).trimmed();
    return Failure(reason.isEmpty() ? what : what + QStringLiteral(": ") + reason);
}

// The value of one "key=value" part of a connection string.
std::optional<QString> valueIn(const QStringList& parts, const QString& key)
{
    for (const QString& part : parts) {
        const int equals = part.indexOf(QLatin1Char('='));
        if (equals > 0 && part.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1);
    }
    return std::nullopt;
}

// A connection string's value in braces, as the driver manager reads it:
// up to the first '}' not written twice.
QString braced(const QString& value)
{
    return QLatin1Char('{') + QString(value).replace(QLatin1Char('}'), QStringLiteral("}}")) + QLatin1Char('}');
}

// What tells a driver's kind: its entry's name and the file names of the
// libraries it loads, never a folder on a library's path (a folder named
// "sqlite-drivers" may hold any driver). Only a value that starts with '/'
// is a path, as the driver manager reads it: "Shop SQLite/3" is an entry.
QStringList namesTellingTheKind(const QString& value)
{
    const QString driver = value.trimmed();
    if (driver.startsWith(QLatin1Char('/')))
        return {QFileInfo(driver).fileName()};
    QStringList names{driver};
    for (const QString& library : librariesOf(driver))
        names << QFileInfo(library).fileName();
    return names;
}

bool isSqliteDriver(const QString& driver)
{
    const QStringList names = namesTellingTheKind(driver);
    return std::any_of(names.begin(), names.end(),
                       [](const QString& name) { return name.contains(QLatin1String("sqlite"), Qt::CaseInsensitive); });
}

// The data source a connection string names: QODBC's form puts it first.
QString dataSourceOf(const QStringList& parts)
{
    const QString named = valueIn(parts, QStringLiteral("DSN")).value_or(parts.value(0));
    return named.contains(QLatin1Char('=')) ? QString() : named;
}

void define(const QString& name, const QVector<Setting>& settings)
{
    const UserDefinitions user;
    const QByteArray section = name.toLocal8Bit();
    const QString what = QStringLiteral("Cannot define the data source %1 in %2").arg(name, userDefinitionsPlace());
    if (!SQLWriteDSNToIni(section.constData(), settings.first().value.toLocal8Bit().constData()))
        throw installerFailure(what);
    for (const Setting& entry : settings.mid(1)) {
        if (!SQLWritePrivateProfileString(section.constData(), entry.key.toLocal8Bit().constData(),
                                          entry.value.toLocal8Bit().constData(), DataSources))
            throw installerFailure(what);
    }
}

}  // namespace

QVector<Setting> postgresSettings(const ServerAddress& server)
{
    return {
        {QStringLiteral("Driver"), postgresDriver()},
        {QStringLiteral("Description"), QStringLiteral("Bill Software database on a PostgreSQL server")},
        {QStringLiteral("Servername"), server.host},
        {QStringLiteral("Port"), QString::number(server.port)},
        {QStringLiteral("Database"), server.database},
        {QStringLiteral("Username"), server.user},
        {QStringLiteral("ConnSettings"), QLatin1String(ServerSessionSettings)},
    };
}

QString postgresConnectionString(const ServerAddress& server, const QString& driver)
{
    QStringList parts;
    for (const Setting& entry : postgresSettings(server)) {
        if (entry.key == QLatin1String("Description"))
            continue;
        // A value with a ';' (the session's statements) or a brace is braced, as the driver reads it.
        if (entry.key == QLatin1String("Driver"))
            parts << QStringLiteral("DRIVER=") + braced(driver);
        else if (entry.value.contains(QRegularExpression(QStringLiteral("[;{}]"))))
            parts << entry.key + QLatin1Char('=') + braced(entry.value);
        else
            parts << entry.key + QLatin1Char('=') + entry.value;
    }
    // The driver decodes a bare password's "%41" as "A" (and '+' as a blank):
    // every byte but a letter or digit is written so, which leaves no ';',
    // brace or ".dsn" (data/Connection.h) in the string.
    if (!server.password.isEmpty())
        parts << QStringLiteral("Password=")
                + QString::fromLatin1(server.password.toUtf8().toPercentEncoding(QByteArray(), "-._~"));
    return parts.join(QLatin1Char(';'));
}

bool reachesSqlite(const QString& odbcName)
{
    const QStringList parts = connectionParts(odbcName);
    if (const auto driver = valueIn(parts, QStringLiteral("DRIVER")))
        return isSqliteDriver(unbraced(*driver));
    const QString dataSource = dataSourceOf(parts);
    return !dataSource.isEmpty() && isSqliteDriver(setting(dataSource, QStringLiteral("Driver")));
}

QString sqliteFile(const QString& odbcName)
{
    if (!reachesSqlite(odbcName))
        return {};
    const QStringList parts = connectionParts(odbcName);
    const QString dataSource = valueIn(parts, QStringLiteral("DRIVER")) ? QString() : dataSourceOf(parts);
    const QString named = dataSource.isEmpty() ? valueIn(parts, QStringLiteral("Database")).value_or(QString())
                                               : setting(dataSource, QStringLiteral("Database"));
    return databaseFile(named);
}

QString databaseFile(const QString& databaseSetting)
{
    if (!databaseSetting.startsWith(QLatin1String("file:")))
        return databaseSetting;
    // As sqlitefile::uri writes it, or as SQLite takes it: "file://localhost/PATH" too.
    const QUrl uri(databaseSetting);
    if (!uri.isLocalFile())
        return {};
    return uri.host().isEmpty() || uri.host() == QLatin1String("localhost") ? uri.path(QUrl::FullyDecoded) : uri.toLocalFile();
}

QString forConnection(const QString& odbcName)
{
    if (reachesSqlite(odbcName))
        return withSqliteSafety(odbcName);
    const QStringList parts = connectionParts(odbcName);
    QStringList kept;
    for (const QString& part : parts) {
        const QString key = part.left(part.indexOf(QLatin1Char('='))).trimmed();
        if (key.compare(QLatin1String("UID"), Qt::CaseInsensitive) != 0
            && key.compare(QLatin1String("PWD"), Qt::CaseInsensitive) != 0)
            kept << part;
    }
    const QString dataSource = valueIn(parts, QStringLiteral("DRIVER")) ? QString() : dataSourceOf(parts);
    if (!valueIn(parts, Options) && (dataSource.isEmpty() || setting(dataSource, Options).isEmpty()))
        kept << Options + QStringLiteral("={") + QLatin1String(ServerNetworkTimeouts) + QLatin1Char('}');
    return kept.join(QLatin1Char(';'));
}

QVector<Setting> sqliteSettings(const QString& databasePath)
{
    return QVector<Setting>{
               {QStringLiteral("Driver"), QStringLiteral("SQLite3")},
               {QStringLiteral("Description"), QStringLiteral("Bill Software database")},
               {QStringLiteral("Database"), QFileInfo(databasePath).absoluteFilePath()},
           }
        + sqliteSafetySettings();
}

QVector<Setting> sqliteSafetySettings()
{
    return {
        // A missing file is an error, not a new empty database: a database
        // moved or on a disk not mounted must not be replaced by an empty one.
        {QStringLiteral("NoCreat"), QStringLiteral("1")},
        // The driver's default, written out because the program relies on it:
        // a result is read whole when its statement runs, so a grid's result
        // kept open while the operator scrolls holds no lock against writers.
        {QStringLiteral("StepAPI"), QStringLiteral("0")},
        // Write-ahead log, synced at every commit: a committed line is on the
        // disk before the commit returns, and readers do not wait for a writer.
        {QStringLiteral("JournalMode"), QStringLiteral("WAL")},
        {QStringLiteral("SyncPragma"), QStringLiteral("FULL")},
        // Milliseconds the driver waits for another program's write lock. It
        // waits twice (its own retry after SQLite's), so a statement fails as
        // busy after about four seconds.
        {QStringLiteral("Timeout"), QStringLiteral("2000")},
    };
}

QString withSqliteSafety(const QString& odbcName)
{
    const QStringList parts = connectionParts(odbcName);
    if (!reachesSqlite(odbcName))
        return odbcName;
    const QString dataSource = valueIn(parts, QStringLiteral("DRIVER")) ? QString() : dataSourceOf(parts);
    // What the string or the data source sets itself is left as it is,
    // but for the transactions: without them (NoTXN=1) every statement is
    // committed alone, and a change refused half-way, told as "Nothing was
    // changed", would leave its first half stored.
    const QString noTransactions = QStringLiteral("NoTXN");
    QString result = odbcName;
    if (valueIn(parts, noTransactions)) {
        QStringList others = parts;
        others.removeIf([&](const QString& part) {
            return part.section(QLatin1Char('='), 0, 0).trimmed().compare(noTransactions, Qt::CaseInsensitive) == 0;
        });
        result = others.join(QLatin1Char(';'));
    }
    for (const Setting& entry : sqliteSafetySettings()) {
        if (valueIn(parts, entry.key) || (!dataSource.isEmpty() && !setting(dataSource, entry.key).isEmpty()))
            continue;
        result += QLatin1Char(';') + entry.key + QLatin1Char('=') + entry.value;
    }
    return result + QLatin1Char(';') + noTransactions + QStringLiteral("=0");
}

QString setting(const QString& name, const QString& key)
{
    char value[4096] = {};
    const int length = SQLGetPrivateProfileString(name.toLocal8Bit().constData(), key.toLocal8Bit().constData(),
                                                  "", value, sizeof value, DataSources);
    return length > 0 ? QString::fromLocal8Bit(value, length) : QString();
}

bool isDefined(const QString& name)
{
    // Asked without a key, the installer lists the section's keys.
    char keys[4096] = {};
    return SQLGetPrivateProfileString(name.toLocal8Bit().constData(), nullptr, "", keys, sizeof keys,
                                      DataSources)
        > 0;
}

void defineSqlite(const QString& name, const QString& databasePath)
{
    define(name, sqliteSettings(databasePath));
}

void definePostgres(const QString& name, const ServerAddress& server)
{
    define(name, postgresSettings(server));
}

bool isSqlite(const QString& name)
{
    return isDefined(name) && isSqliteDriver(setting(name, QStringLiteral("Driver")));
}

bool isServer(const QString& name)
{
    const QString driver = setting(name, QStringLiteral("Driver"));
    return isDefined(name) && !driver.isEmpty() && !isSqliteDriver(driver);
}

bool throughAnsiDriver(const QString& name)
{
    if (!isServer(name))
        return false;
    // The library (psqlodbca.so), named in the data source itself or in the
    // driver's entry.
    const QString named = namesTellingTheKind(setting(name, QStringLiteral("Driver"))).join(QLatin1Char(' '));
    // "ANSI" as a word: a name such as "Transit PG" is no ANSI build.
    static const QRegularExpression ansi(QStringLiteral("\\bansi\\b|psqlodbca"), QRegularExpression::CaseInsensitiveOption);
    return named.contains(ansi);
}

QString postgresDriver()
{
    if (driverInstalled(PostgresDriver))
        return PostgresDriver;
    char names[16384] = {};
    WORD length = 0;
    if (SQLGetInstalledDrivers(names, sizeof names, &length))
        for (const char* entry = names; *entry != '\0'; entry += std::strlen(entry) + 1) {
            const QString name = QString::fromLocal8Bit(entry);
            const QStringList libraries = librariesOf(name);
            if (driverInstalled(name) && std::any_of(libraries.begin(), libraries.end(), [](const QString& library) {
                    return QFileInfo(library).fileName() == QLatin1String("psqlodbcw.so");
                }))
                return name;
        }
    return PostgresDriver;
}

bool driverMissing(const QString& name)
{
    const QString driver = setting(name, QStringLiteral("Driver"));
    return isDefined(name) && !driver.isEmpty() && !driverInstalled(driver);
}

bool definedForThisUser(const QString& name)
{
    const UserDefinitions user;
    return isDefined(name);
}

QString libpqOption(const QString& options, const QString& key)
{
    QString value;
    for (QRegularExpressionMatchIterator found = libpqPair().globalMatch(options); found.hasNext();) {
        const QRegularExpressionMatch one = found.next();
        if (one.captured(1) != key)
            continue;
        static const QRegularExpression escaped(QStringLiteral("\\\\(.)"));
        value = (one.capturedStart(2) >= 0 ? one.captured(2) : one.captured(3)).replace(escaped, QStringLiteral("\\1"));
    }
    return value;
}

bool holdsPassword(const QString& name)
{
    return isServer(name)
        && (!setting(name, QStringLiteral("Password")).isEmpty()
            || !libpqOption(setting(name, Options), QStringLiteral("password")).isEmpty());
}

void removePassword(const QString& name)
{
    const UserDefinitions user;
    const QByteArray section = name.toLocal8Bit();
    // The libpq options' password too; the others stay as written.
    const QString given = setting(name, Options);
    QString options = given;
    QVector<QRegularExpressionMatch> passwords;
    for (QRegularExpressionMatchIterator found = libpqPair().globalMatch(given); found.hasNext();)
        if (const QRegularExpressionMatch pair = found.next(); pair.captured(1) == QLatin1String("password"))
            passwords.prepend(pair);
    for (const QRegularExpressionMatch& password : passwords)
        options.remove(password.capturedStart(), password.capturedLength());
    options = options.trimmed();
    const bool written =
        SQLWritePrivateProfileString(section.constData(), "Password", nullptr, DataSources)
        && (passwords.isEmpty()
            || SQLWritePrivateProfileString(section.constData(), Options.toLatin1().constData(),
                                            options.isEmpty() ? nullptr : options.toLocal8Bit().constData(), DataSources));
    if (!written)
        throw installerFailure(QStringLiteral("Cannot take the password out of the data source %1 in %2")
                                   .arg(name, userDefinitionsPlace()));
}

bool hidesSystemDefinition(const QString& name)
{
    // Named nowhere, the server and the database are libpq's own, and not
    // what a shop's till meant.
    const QString options = setting(name, Options);
    if (!definedForThisUser(name) || !setting(name, QStringLiteral("Database")).isEmpty()
        || !setting(name, QStringLiteral("Servername")).isEmpty() || !libpqOption(options, QStringLiteral("dbname")).isEmpty()
        || !libpqOption(options, QStringLiteral("host")).isEmpty() || !libpqOption(options, QStringLiteral("hostaddr")).isEmpty()
        || !libpqOption(options, QStringLiteral("service")).isEmpty() || qEnvironmentVariableIsSet("PGHOST")
        || qEnvironmentVariableIsSet("PGHOSTADDR") || qEnvironmentVariableIsSet("PGDATABASE")
        || qEnvironmentVariableIsSet("PGSERVICE"))
        return false;
    SQLSetConfigMode(ODBC_SYSTEM_DSN);
    const bool system = isDefined(name);
    SQLSetConfigMode(ODBC_BOTH_DSN);
    return system;
}

void setDriver(const QString& name, const QString& driver)
{
    const UserDefinitions user;
    if (!SQLWritePrivateProfileString(name.toLocal8Bit().constData(), "Driver", driver.toLocal8Bit().constData(),
                                      DataSources))
        throw installerFailure(QStringLiteral("Cannot set the driver of the data source %1 in %2")
                                   .arg(name, userDefinitionsPlace()));
}

QString userDefinitionsPlace()
{
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral("this user's ODBC data sources (the file \"odbcinst -j\" names)");
}

QString defaultDatabasePath()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/bill/Bill.db");
}

}  // namespace datasource
