#include "data/DataSource.h"

#include "data/ServerAddress.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <pwd.h>
#include <unistd.h>

// Where a server's data source leads libpq: the server, port, account and
// database, as the driver and libpq find them.
namespace datasource {

namespace {

// The settings of a libpq service (Pqopt service=, or PGSERVICE), from the
// user's service file, or else the computer's, as libpq finds them.
QHash<QString, QString> serviceSettings(const QString& service)
{
    if (service.isEmpty())
        return {};
    const QString userFile = qEnvironmentVariableIsSet("PGSERVICEFILE")
        ? qEnvironmentVariable("PGSERVICEFILE")
        : QDir::home().filePath(QStringLiteral(".pg_service.conf"));
    const QString systemFile = qEnvironmentVariable("PGSYSCONFDIR", QStringLiteral("/etc/postgresql-common"))
        + QStringLiteral("/pg_service.conf");
    for (const QString& path : {userFile, systemFile}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QHash<QString, QString> settings;
        bool inService = false;
        bool found = false;
        while (!file.atEnd()) {
            const QString line = QString::fromLocal8Bit(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            if (line.startsWith(QLatin1Char('['))) {
                if (found)  // libpq reads the first section of the name only
                    break;
                inService = line == QLatin1Char('[') + service + QLatin1Char(']');
                found = inService;
            } else if (const int equals = line.indexOf(QLatin1Char('=')); inService && equals > 0) {
                if (const QString key = line.left(equals).trimmed(); !settings.contains(key))  // the first one holds
                    settings.insert(key, line.mid(equals + 1).trimmed());
            }
        }
        if (found)
            return settings;
    }
    return {};
}

}  // namespace

ServerAddress serverOf(const QString& name)
{
    // What the data source leaves out, its libpq options (Pqopt) may give
    // (the driver refuses both at once), and then a libpq service; else libpq
    // takes it from its environment, and else its own: the computer's login
    // name, the socket folder, 5432, a database named as the account. An
    // address alone (hostaddr) is the server when no name is.
    const QString options = setting(name, QStringLiteral("Pqopt"));
    const QString serviceName = libpqOption(options, QStringLiteral("service"));
    const QHash<QString, QString> service = serviceSettings(serviceName.isEmpty() ? qEnvironmentVariable("PGSERVICE") : serviceName);
    const auto orLibpqs = [&](const char* key, const char* option, const char* variable, const QString& own) {
        const QString named = key ? setting(name, QLatin1String(key)) : QString();
        if (!named.isEmpty())
            return named;
        const QString optioned = libpqOption(options, QLatin1String(option));
        if (!optioned.isEmpty())
            return optioned;
        const QString serviced = service.value(QLatin1String(option));
        return !serviced.isEmpty() ? serviced : qEnvironmentVariable(variable, own);
    };
    QString loginName;
    if (const passwd* account = ::getpwuid(::geteuid()))
        loginName = QString::fromLocal8Bit(account->pw_name);
    ServerAddress server;
    server.user = orLibpqs("Username", "user", "PGUSER", loginName);
    server.host = orLibpqs("Servername", "host", "PGHOST",
                           orLibpqs(nullptr, "hostaddr", "PGHOSTADDR", QStringLiteral("/var/run/postgresql")));
    server.port = orLibpqs("Port", "port", "PGPORT", QStringLiteral("5432")).toInt();
    server.database = orLibpqs("Database", "dbname", "PGDATABASE", server.user);
    return server;
}

}  // namespace datasource
