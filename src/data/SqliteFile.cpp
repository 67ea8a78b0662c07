#include "data/SqliteFile.h"

#include "core/Failure.h"
#include "core/WholeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace sqlitefile {

QString uri(const QString& path, Access access)
{
    // QUrl leaves ';' as it is, since a URI may hold one; the connection string
    // may not, nor ".dsn" (data/Connection.h). SQLite reads %3B and %2E back.
    static const QRegularExpression fileDataSourceMark(QStringLiteral("\\.(?=dsn)"),
                                                       QRegularExpression::CaseInsensitiveOption);
    QString named = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())
                        .toString(QUrl::FullyEncoded)
                        .replace(QLatin1Char(';'), QLatin1String("%3B"))
                        .replace(fileDataSourceMark, QStringLiteral("%2E"));
    if (access == Access::ReadOnly)
        named += QStringLiteral("?mode=ro");
    return named;
}

bool createPrivate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    // A disk that keeps no permissions (a FAT memory stick's) makes the file
    // as private as it can.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

void guardedAs(const QString& copy, const QString& database)
{
    // Not being able to is no reason to lose the copy: it stays as made. The
    // group first, so that the permissions given are the group's own.
    // Every bit, a shared folder's set-group-ID among them.
    struct stat original {};
    if (::stat(QFile::encodeName(database).constData(), &original) != 0)
        return;
    (void)::chown(QFile::encodeName(copy).constData(), uid_t(-1), original.st_gid);
    (void)::chmod(QFile::encodeName(copy).constData(), original.st_mode & 07777);
}

void folderGuardedAs(const QString& folder, const QString& model)
{
    guardedAs(folder, model);
    // Closed to other accounts, whatever the model leaves open (a shared
    // /tmp's 1777): a copy another account put there would stand for the day's.
    (void)closeFolderToOthers(folder);
}

bool closeFolderToOthers(const QString& folder)
{
    struct stat now {};
    const QByteArray path = QFile::encodeName(folder);
    return ::stat(path.constData(), &now) == 0
        && ::chmod(path.constData(), now.st_mode & 07777 & ~(S_IRWXO | S_ISVTX)) == 0;
}

void closeToOthers(const QString& database)
{
    for (const QString& file : {database, database + QStringLiteral("-wal"), database + QStringLiteral("-shm")}) {
        struct stat now {};
        const QByteArray path = QFile::encodeName(file);
        if (::stat(path.constData(), &now) == 0 && (now.st_mode & S_IRWXO) != 0)
            (void)::chmod(path.constData(), now.st_mode & 07777 & ~S_IRWXO);
    }
}

bool sameFile(const QString& first, const QString& second)
{
    if (QFileInfo(first).absoluteFilePath() == QFileInfo(second).absoluteFilePath())
        return true;
    struct stat one {};
    struct stat other {};
    return ::stat(QFile::encodeName(first).constData(), &one) == 0
        && ::stat(QFile::encodeName(second).constData(), &other) == 0 && one.st_dev == other.st_dev
        && one.st_ino == other.st_ino;
}

QString partialName(const QString& path)
{
    // Of this process alone: two programs making one copy at once do not share one.
    return path + QStringLiteral(".partial-") + QString::number(::getpid());
}

void removeStoppedCopies(const QString& folder, const QString& nameBeforePartial)
{
    const QRegularExpression partial(
        QStringLiteral("^(?:%1)\\.partial-(\\d+)(-journal|-wal|-shm)?$").arg(nameBeforePartial));
    const QDir files(folder);
    for (const QString& name : files.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = partial.match(name);
        if (match.hasMatch() && ::kill(pid_t(match.captured(1).toLongLong()), 0) != 0 && errno == ESRCH)
            QFile::remove(files.filePath(name));
    }
}

namespace {

void setAsideLogsWithoutDatabase(const QString& whole)
{
    if (QFileInfo::exists(whole))
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-journal")}) {
        const QString log = whole + suffix;
        if (nameTaken(log) && !QFile::rename(log, log + QStringLiteral(".left-") + stamp))
            throw Failure(QStringLiteral("%1 is there without its database; move it away first.").arg(log));
    }
    QFile::remove(whole + QStringLiteral("-shm"));  // the log's index, of no log now
}

}  // namespace

void putWhereNoneIs(const QString& partial, const QString& whole)
{
    setAsideLogsWithoutDatabase(whole);
    const QByteArray from = QFile::encodeName(partial), to = QFile::encodeName(whole);
    if (::link(from.constData(), to.constData()) == 0) {
        QFile::remove(partial);
        return;
    }
    if (errno == EEXIST || QFileInfo::exists(whole))
        throw Failure(QStringLiteral("%1 already exists; it is left as it is.").arg(whole));
    if (std::rename(from.constData(), to.constData()) != 0)
        throw Failure(QStringLiteral("Cannot create the file %1.").arg(whole));
}

bool nameTaken(const QString& path)
{
    struct stat named {};
    return ::lstat(QFile::encodeName(path).constData(), &named) == 0;
}

bool logLeftBeside(const QString& path)
{
    return QFileInfo(path + QStringLiteral("-wal")).size() > 0;
}

void removeWithItsFiles(const QString& path)
{
    for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

QString ownFileOf(const QString& database, const QString& named)
{
    // A file not made yet is reached where a link there points, in its folder as the folder really is.
    const QFileInfo behind(fileBehindLink(named));
    const QString canonicalFolder = QFileInfo(behind.absolutePath()).canonicalFilePath();
    const QString path = canonicalFolder.isEmpty() ? behind.absoluteFilePath() : canonicalFolder + QLatin1Char('/') + behind.fileName();
    const QString databaseFolder = QFileInfo(QFileInfo(database).absolutePath()).canonicalFilePath();
    const QString canonicalDatabase = databaseFolder.isEmpty() ? database : databaseFolder + QLatin1Char('/') + QFileInfo(database).fileName();
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        if (sameFile(path, canonicalDatabase + suffix))
            return QStringLiteral("the database itself")
                + (suffix.isEmpty() ? QString() : QStringLiteral(" (its ") + suffix.mid(1) + QLatin1Char(')'));
    return {};
}

namespace {
// "BILA", in the header's four bytes at 68, most significant first.
constexpr quint32 ArchiveMark = 0x42494c41;
constexpr qint64 ApplicationIdAt = 68;
}  // namespace

QString markAsArchiveStatement()
{
    return QStringLiteral("PRAGMA application_id = %1").arg(ArchiveMark);
}

namespace {
// Read only when a plain file: a pipe or a terminal (/dev/stdout) waits for input.
bool startsAsDatabase(QFile& file)
{
    return QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly)
        && file.read(16).startsWith("SQLite format 3");
}
}  // namespace

bool isArchiveId(qint64 applicationId)
{
    return applicationId == ArchiveMark;
}

bool isArchive(const QString& path)
{
    QFile file(path);
    if (!startsAsDatabase(file) || !file.seek(ApplicationIdAt))
        return false;
    const QByteArray id = file.read(4);
    if (id.size() != 4)
        return false;
    quint32 mark = 0;
    for (const char byte : id)
        mark = (mark << 8) | quint8(byte);
    return mark == ArchiveMark;
}

bool isInWalMode(const QString& path)
{
    constexpr qint64 VersionsAt = 18;  // the write and read versions: 2 for the log
    QFile file(path);
    return startsAsDatabase(file) && file.seek(VersionsAt) && file.read(2) == QByteArray("\x02\x02", 2);
}

QString databaseOfLog(const QString& path)
{
    // Named by a link, the file written is the one behind it.
    const QString written = fileBehindLink(path);
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (!written.endsWith(suffix))
            continue;
        QFile database(written.chopped(suffix.size()));
        if (startsAsDatabase(database))
            return database.fileName();
    }
    return {};
}

QString databaseFileKind(const QString& path)
{
    if (const QString database = databaseOfLog(path); !database.isEmpty())
        return QStringLiteral("the log of the database ") + QDir::toNativeSeparators(database);
    if (isArchive(path))
        return QStringLiteral("a closed year's archive");
    QFile file(path);
    return startsAsDatabase(file) ? QStringLiteral("a database") : QString();
}

QString dailyCopiesFolder(const QString& database)
{
    return QFileInfo(database).absoluteDir().filePath(QStringLiteral("backups"));
}

}  // namespace sqlitefile
