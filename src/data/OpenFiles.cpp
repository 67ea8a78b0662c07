#include "data/OpenFiles.h"

#include <QFileInfo>
#include <QHash>
#include <sys/stat.h>

namespace openfiles {

namespace {

struct Held {
    Identity identity;
    int connections = 0;
};

// One thread makes every connection, so a plain static suffices.
QHash<QString, Held>& held()
{
    static QHash<QString, Held> files;
    return files;
}

// One spelling for one file: the data source's path and SQLite's own may differ by a link.
QString key(const QString& path)
{
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

}  // namespace

bool identityAt(const QString& path, Identity& identity)
{
    struct stat now {};
    if (::stat(QFile::encodeName(path).constData(), &now) != 0)
        return false;
    identity = {quint64(now.st_dev), quint64(now.st_ino)};
    return true;
}

void opened(const QString& path, const Identity& identity)
{
    Held& file = held()[key(path)];
    if (file.connections == 0 || !(file.identity == identity))
        file = {identity, 0};
    ++file.connections;
}

void closed(const QString& path, const Identity& identity)
{
    const auto file = held().find(key(path));
    if (file == held().end() || !(file->identity == identity))
        return;
    if (--file->connections <= 0)
        held().erase(file);
}

bool replacedWhileHeld(const QString& path)
{
    if (path.isEmpty())
        return false;
    const auto file = held().constFind(key(path));
    Identity now;
    return file != held().constEnd() && identityAt(path, now) && !(now == file->identity);
}

}  // namespace openfiles
