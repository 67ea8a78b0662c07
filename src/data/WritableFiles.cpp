#include "data/WritableFiles.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace writablefiles {

namespace {

// As this process may write now (its effective rights), not as its user could.
bool writable(const QString& path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

Problem problem(const QString& named)
{
    // SQLite follows a link, and keeps its files beside the file linked to.
    const QString canonical = QFileInfo(named).canonicalFilePath();
    const QString databaseFile = canonical.isEmpty() ? named : canonical;
    for (const QString& file : {databaseFile, databaseFile + QStringLiteral("-wal"), databaseFile + QStringLiteral("-shm")}) {
        if (QFileInfo::exists(file) && !writable(file))
            return {QStringLiteral("the file %1 is read-only for this user").arg(file), true};
    }
    const QString folder = QFileInfo(databaseFile).absolutePath();
    if (!writable(folder))
        return {QStringLiteral("the folder %1 does not let this user make the files the database keeps beside it")
                    .arg(folder),
                false};
    return {};
}

QString newFileProblem(const QString& file)
{
    const QFileInfo named(file);
    if (!named.absoluteDir().exists())
        return QStringLiteral("the folder of %1 does not exist").arg(named.absoluteFilePath());
    if (!writable(named.absolutePath()))
        return QStringLiteral("the folder %1 does not let this user make %2 in it").arg(named.absolutePath(), named.fileName());
    return {};
}

}  // namespace writablefiles
