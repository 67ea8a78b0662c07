#include "data/DataSource.h"

#include "data/AdminTool.h"
#include "data/ServerAddress.h"

#include <QFileInfo>
#include <algorithm>

// What the operator is told to do when the data source did not open.
namespace datasource {

QString systemDriverAdvice(const QString& name)
{
    return QStringLiteral("The data source \"%1\" is defined for every user of this computer, in the system's data "
                          "sources (the file \"odbcinst -j\" names), and names the driver \"%2\", which this program "
                          "cannot read the server's texts through. Set Driver=%3 in its section [%1] there (as root), "
                          "then start the program again.")
        .arg(name, setting(name, QStringLiteral("Driver")), postgresDriver());
}

namespace {
// The installed driver a value written as in a connection string stands for:
// its trailing ';' cut off, its braces taken off, in either order (an entry's
// own name may hold braces). Empty when no such form is installed.
QString installedFormOf(const QString& driver)
{
    QStringList forms{driver.trimmed()};
    for (qsizetype at = 0; at < forms.size() && forms.size() < 16; ++at) {
        QString chopped = forms.at(at);
        while (chopped.endsWith(QLatin1Char(';')))
            chopped = chopped.chopped(1).trimmed();
        for (const QString& next : {chopped, unbraced(forms.at(at)).trimmed()})
            if (!next.isEmpty() && !forms.contains(next))
                forms << next;
    }
    const auto installed =
        std::find_if(forms.begin() + 1, forms.end(), [](const QString& form) { return driverFound(form); });
    return installed == forms.end() ? QString() : *installed;
}
}  // namespace

QString setupAdvice(const QString& name, const QString& failure)
{
    if (hidesSystemDefinition(name))
        return QStringLiteral("The data source \"%1\" in %2 names no database, and hides the one defined for every "
                              "user of this computer (in the system's data sources). Take its section [%1] out of "
                              "that file.")
            .arg(name, userDefinitionsPlace());
    // Written as in a connection string ("{SQLite3}", "SQLite3;"): the driver
    // manager reads a data source's value as it stands.
    const QString driver = setting(name, QStringLiteral("Driver"));
    const QString plain = installedFormOf(driver);
    if (driverMissing(name) && !plain.isEmpty())
        return QStringLiteral("The data source \"%1\" names the ODBC driver \"%2\", which the driver manager reads as "
                              "it stands (braces and a ';' are taken off only in a connection string). Write "
                              "Driver=%3 in its section [%1] in %4, then start the program again.")
            .arg(name, driver, plain,
                 definedForThisUser(name) ? userDefinitionsPlace()
                                          : QStringLiteral("the system's data sources (the file \"odbcinst -j\" names, "
                                                           "as root)"));
    if (driverMissing(name)) {
        const QString package = isServer(name) ? QStringLiteral("odbc-postgresql") : QStringLiteral("libsqliteodbc");
        if (const QString failure = driverLoadFailure(driver); !failure.isEmpty())
            return QStringLiteral("The data source \"%1\" names the ODBC driver \"%2\", whose library is on this "
                                  "computer but cannot be loaded: %3. Make it readable to this account, or install "
                                  "the driver again, as root:  apt install --reinstall %4")
                .arg(name, driver, failure, package);
        return QStringLiteral("The data source \"%1\" names the ODBC driver \"%2\", which is not installed on this "
                              "computer. Install it, as root:  apt install %3")
            .arg(name, driver, package);
    }
    if (isServer(name)) {
        const ServerAddress server = serverOf(name);
        // The ANSI build opens the server well: the server and the password
        // are not what is wrong.
        if (throughAnsiDriver(name) && !definedForThisUser(name))
            return systemDriverAdvice(name);
        if (throughAnsiDriver(name))  // this user's own definition, which init --server mends
            return QStringLiteral("The data source \"%1\" names the driver \"%2\"; define it again, for the "
                                  "driver \"%3\", with the command:  %4")
                .arg(name, setting(name, QStringLiteral("Driver")), postgresDriver(),
                     admintool::command(QStringLiteral("init --server ") + admintool::shellWord(server.text())
                                        + QStringLiteral(" --if-missing")));
        const QString where = QStringLiteral("The data source \"%1\" names the database %2 on the server %3, opened "
                                             "with the account %4. Check that the server runs and can be reached "
                                             "from this computer")
                                  .arg(name, server.database, server.host, server.user);
        // The driver sends a password the data source holds, not the file's.
        if (holdsPassword(name) && !definedForThisUser(name))
            return where + QStringLiteral(". The data source holds the account's password itself, in the system's "
                                          "data sources (the file \"odbcinst -j\" names): when the password has "
                                          "changed, correct its Password line in the section [%1] there (as root), "
                                          "then start the program again.")
                               .arg(name);
        return where
            + QStringLiteral(", and that the account's password is in the file ~/.pgpass (readable by this user "
                             "only); when the password has changed, give the new one once, in place of PASSWORD "
                             "(%2), with the command%3:  %1")
                  .arg(admintool::command(QStringLiteral("init --server ") + server.quotedWithPassword()
                                          + QStringLiteral(" --if-missing")),
                       ServerAddress::PasswordTyping,
                       holdsPassword(name) ? QStringLiteral(" (which also takes out the password the data source "
                                                            "holds, which the driver sends in place of the file's)")
                                           : QString());
    }
    if (isDefined(name) && setting(name, QStringLiteral("Driver")).isEmpty()) {
        // Cut short (two runs defining it at once, by an older billdb), or
        // written by hand. It is not rewritten by itself: a section of this
        // user's may hide a system-wide one that a shop set up on purpose.
        // It is defined again for the database it names, whose place a new
        // empty one would take.
        const QString database = databaseFile(setting(name, QStringLiteral("Database")));
        return QStringLiteral("The data source \"%1\" in %2 names no ODBC driver, so it opens nothing. Take its "
                              "section [%1] out of that file, then define it again with the command:  %3")
            .arg(name, userDefinitionsPlace(),
                 admintool::command(database.isEmpty() ? QStringLiteral("init --if-missing")
                                                       : QStringLiteral("init --database ") + admintool::shellWord(database)
                                                             + QStringLiteral(" --if-missing")));
    }
    if (isDefined(name)) {
        // The driver manager keeps a lookup that failed for about 20 seconds.
        if (failure.contains(QLatin1String("Data source name not found"), Qt::CaseInsensitive))
            return QStringLiteral("The data source \"%1\" has been defined only a moment ago; the ODBC driver "
                                  "manager sees it within half a minute. Please try again then.")
                .arg(name);
        const QString database = databaseFile(setting(name, QStringLiteral("Database")));
        if (!database.isEmpty() && !QFileInfo::exists(database))
            return QStringLiteral("The data source \"%1\" names the database %2, which does not exist. Put the "
                                  "database file back there, or create a new one with the command:  %3")
                .arg(name, database, admintool::command(QStringLiteral("init --database ") + admintool::shellWord(database)));
        return QStringLiteral("The database (data source \"%1\") could not be opened. If the program has not "
                              "been set up on this computer yet, create the database with the command:  %2")
            .arg(name, admintool::command(QStringLiteral("init")));
    }
    const QString database = defaultDatabasePath();
    if (QFileInfo::exists(database))
        return QStringLiteral("The data source \"%1\" is not defined for this user, but there is a database at %2. "
                              "Define the data source for it with the command:  %3")
            .arg(name, database, admintool::command(QStringLiteral("init --if-missing")));
    return QStringLiteral("The data source \"%1\" is not defined for this user. Create the database and the data "
                          "source with the command:  %2")
        .arg(name, admintool::command(QStringLiteral("init")));
}

}  // namespace datasource
