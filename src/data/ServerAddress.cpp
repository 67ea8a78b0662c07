#include "data/ServerAddress.h"

#include "core/Failure.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString decoded(const QString& part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

// The address as a message may show it: a password in it left out, since
// messages are read over the shoulder and kept in logs.
QString withoutPassword(const QString& address)
{
    // USER:PASSWORD@, with or without the scheme, the password up to the
    // last '@' whatever it holds.
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    const qsizetype scheme = address.indexOf(QLatin1String("://"));
    const qsizetype colon = address.indexOf(QLatin1Char(':'), scheme < 0 ? 0 : scheme + 3);
    if (at < 0 || colon < 0 || colon > at)
        return address;
    return address.left(colon + 1) + QStringLiteral("***") + address.mid(at);
}

}  // namespace

ServerAddress ServerAddress::parse(const QString& address)
{
    const auto wrong = [&](const QString& why) {
        return Failure(QStringLiteral("'%1' is no server address (%2); write it as "
                                      "postgresql://USER@HOST[:PORT]/DBNAME")
                           .arg(withoutPassword(address), why));
    };
    QString rest = address.trimmed();
    if (rest.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive))
        rest = rest.mid(13);
    else if (rest.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive))
        rest = rest.mid(11);
    else
        throw wrong(QStringLiteral("it must start with postgresql://"));

    ServerAddress server;
    // The account ends at the '@' before the host, which holds no '/', '@'
    // or '?' and ends at the '/' before the database: a password typed as
    // it is may hold those ('%' only is written %25), and a database name
    // an '@'.
    static const QRegularExpression beforeHost(QStringLiteral("@(?=[^/@?]+/)"));
    qsizetype at = -1;
    for (QRegularExpressionMatchIterator found = beforeHost.globalMatch(rest); found.hasNext();)
        at = found.next().capturedStart();
    if (at < 0)
        at = rest.lastIndexOf(QLatin1Char('@'));  // no database: told below
    if (at < 0)
        throw wrong(QStringLiteral("no user name"));
    const QString account = rest.left(at);
    rest = rest.mid(at + 1);
    QString query;
    if (const int mark = rest.indexOf(QLatin1Char('?')); mark >= 0) {
        query = rest.mid(mark + 1);
        rest = rest.left(mark);
    }
    const int slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0)
        throw wrong(QStringLiteral("no database name"));
    server.database = decoded(rest.mid(slash + 1));
    QString authority = rest.left(slash);

    const int colon = account.indexOf(QLatin1Char(':'));
    server.user = decoded(colon < 0 ? account : account.left(colon));
    if (colon >= 0)
        server.password = decoded(account.mid(colon + 1));

    // A port follows the last colon, unless the host is a folder name.
    QString portText;
    const int portColon = authority.lastIndexOf(QLatin1Char(':'));
    if (portColon >= 0 && !authority.endsWith(QLatin1Char(']'))) {
        portText = authority.mid(portColon + 1);
        authority = authority.left(portColon);
    }
    server.host = decoded(authority);
    if (server.host.startsWith(QLatin1Char('[')) && server.host.endsWith(QLatin1Char(']')))
        server.host = server.host.mid(1, server.host.size() - 2);

    const QUrlQuery options(query);
    if (options.hasQueryItem(QStringLiteral("host")))
        server.host = options.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (options.hasQueryItem(QStringLiteral("port")))
        portText = options.queryItemValue(QStringLiteral("port"), QUrl::FullyDecoded);

    if (!portText.isEmpty()) {
        bool ok = false;
        server.port = portText.toInt(&ok);
        if (!ok || server.port < 1 || server.port > 65535)
            throw wrong(QStringLiteral("the port '%1' is no port number").arg(portText));
    }
    if (server.user.isEmpty())
        throw wrong(QStringLiteral("no user name"));
    if (server.host.isEmpty())
        throw wrong(QStringLiteral("no host"));
    if (server.database.isEmpty())
        throw wrong(QStringLiteral("no database name"));
    // The values go into a connection string and an ini file, where these end
    // them; the password only into the connection string, braced, and the
    // password file's line.
    for (const QString& value : {server.user, server.host, server.database})
        if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('\n'))
            || value.contains(QLatin1Char('{')) || value.contains(QLatin1Char('}')))
            throw wrong(QStringLiteral("';', '{', '}' and line breaks cannot be used"));
    // An ini file's reader takes the blanks off a value's ends.
    for (const QString& value : {server.user, server.database})
        if (value != value.trimmed())
            throw wrong(QStringLiteral("a name cannot start or end with a blank"));
    if (server.password.contains(QLatin1Char('\n')) || server.password.contains(QLatin1Char('\r')))
        throw wrong(QStringLiteral("a password cannot hold a line break"));
    return server;
}

const QString ServerAddress::PasswordTyping = QStringLiteral("a % in it written %25, and a ' written '\\''");

QString ServerAddress::quotedWithPassword() const
{
    return QLatin1Char('\'') + text(QStringLiteral("PASSWORD")).replace(QLatin1Char('\''), QStringLiteral("'\\''"))
        + QLatin1Char('\'');
}

namespace {

// The characters that would end the part, and '%', written as parse() reads them.
QString encoded(const QString& part, const QString& ending)
{
    QString text;
    for (const QChar character : part)
        text += character == QLatin1Char('%') || ending.contains(character)
            ? QString::fromLatin1(QUrl::toPercentEncoding(QString(character)))
            : QString(character);
    return text;
}

}  // namespace

QString ServerAddress::text(const QString& givenPassword) const
{
    const bool folder = host.startsWith(QLatin1Char('/'));
    const bool ipv6 = !folder && host.contains(QLatin1Char(':'));
    // Joined, not put in with arg(): a folder's "%2F" would be taken for a place.
    return QStringLiteral("postgresql://") + encoded(user, QStringLiteral(":@/?"))
        + (givenPassword.isEmpty() ? QString() : QLatin1Char(':') + givenPassword) + QLatin1Char('@')
        + (folder ? QString::fromUtf8(QUrl::toPercentEncoding(host))
                  : ipv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host)
        + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + encoded(database, QStringLiteral("@/?"));
}
