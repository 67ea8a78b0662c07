#include "data/DatabaseBackup.h"

#include "core/Failure.h"
#include "core/WholeFile.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteFile.h"
#include "data/WritableFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace databasebackup {

namespace {

std::function<qint64(const QString&)>& freeBytesProbe()
{
    static std::function<qint64(const QString&)> probe;
    return probe;
}

qint64 freeBytes(const QString& path)
{
    return freeBytesProbe() ? freeBytesProbe()(path) : QStorageInfo(path).bytesAvailable();
}

bool folderWritableByOthers(const QString& folder)
{
    struct stat now {};
    return ::stat(QFile::encodeName(folder).constData(), &now) == 0 && (now.st_mode & S_IWOTH) != 0;
}

// Whether the account belongs to the group (as its own, or as one more).
bool inGroup(uid_t account, gid_t group)
{
    const passwd* entry = ::getpwuid(account);
    if (entry == nullptr)
        return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (::getgrouplist(entry->pw_name, entry->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(entry->pw_name, entry->pw_gid, groups.data(), &count) < 0)
            return entry->pw_gid == group;
    }
    return std::find(groups.begin(), groups.begin() + count, group) != groups.begin() + count;
}

// The day's copy, made today (by the computer's clock) by an account that
// writes the books (this user, their owner, or a member of the group they
// are shared with); not a file put under its name by another account, nor
// an older copy renamed to it, by anyone who may write the folder (a member
// who only reads the books).
bool madeByTheBooksWriter(const QString& copy, const QString& database)
{
    struct stat made {};
    struct stat books {};
    if (::lstat(QFile::encodeName(copy).constData(), &made) != 0 || !S_ISREG(made.st_mode)
        || ::stat(QFile::encodeName(database).constData(), &books) != 0
        || QDateTime::fromSecsSinceEpoch(made.st_mtime).date() != QDate::currentDate())
        return false;
    return made.st_uid == ::geteuid() || made.st_uid == books.st_uid
        || ((books.st_mode & S_IWGRP) != 0 && inGroup(made.st_uid, books.st_gid));
}

// The copies' names: the database's name and the day's, so that the oldest
// sort first.
QRegularExpression dailyName(const QString& base, const QString& suffixes = {})
{
    return QRegularExpression(QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2})\\.db%2$")
                                  .arg(QRegularExpression::escape(base), suffixes));
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + QStringLiteral(" MB");
}

}  // namespace

void setFreeBytes(std::function<qint64(const QString& path)> probe)
{
    freeBytesProbe() = std::move(probe);
}

QStringList integrityProblems(Connection& connection, const QString& schema)
{
    RecordSet rows;
    try {
        rows.open(QStringLiteral("PRAGMA %1.integrity_check").arg(schema), connection);
    } catch (const DbError& error) {
        // A database another program holds, or this user may not write (nor
        // read, in a folder where its log's files cannot be made), or on a
        // disk that is full or failing (its log's index cannot be made), is
        // not damaged: the caller says so and stops. Told as damaged, its
        // owner would restore an older backup over sound books.
        if (error.kind() == DbError::Kind::Busy || error.kind() == DbError::Kind::ReadOnly
            || error.kind() == DbError::Kind::Full || error.kind() == DbError::Kind::Unreachable)
            throw;
        return {dberrors::reason(error)};
    }
    QStringList problems;
    for (; !rows.eof(); rows.moveNext()) {
        const QString row = rows.field(0).toString();
        if (row != QLatin1String("ok"))
            problems << row;
    }
    return problems;
}

void syncToDisk(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        if (descriptor >= 0)
            ::close(descriptor);
        throw Failure(QStringLiteral("cannot write %1 to the disk").arg(path));
    }
    ::close(descriptor);
}

namespace {
// Asked of the open connection: read from its file here, the header would
// cost the connection its locks.
bool isArchive(Connection& connection)
{
    RecordSet id;
    id.open(QStringLiteral("PRAGMA application_id"), connection);
    return !id.eof() && sqlitefile::isArchiveId(id.field(0).toLongLong());
}

// What a backup written at `target` would write over, judged through a link
// there: the database itself, the shop's, a log, a database in use, an archive.
void refuseWhatABackupNeverReplaces(Connection& connection, const QString& source, const QString& target)
{
    const QString ownFile = sqlitefile::ownFileOf(source, target);
    if (!ownFile.isEmpty())
        throw Failure(QStringLiteral("%1 is %2; the copy goes into another file").arg(target, ownFile));
    // Another database the program works on: the shop's books (a backup
    // named as its --database, source and target swapped), or any other
    // with its log beside it, in use.
    const QString books = datasource::sqliteFile(datasource::ProgramDataSource);
    if (!books.isEmpty() && !sqlitefile::ownFileOf(books, target).isEmpty())
        throw Failure(QStringLiteral("%1 is the shop's database (the data source %2's), which a backup never replaces; "
                                     "the copy goes into another file")
                          .arg(target, datasource::ProgramDataSource));
    if (const QString database = sqlitefile::databaseOfLog(target); !database.isEmpty())
        throw Failure(QStringLiteral("%1 is the log of the database %2, which a backup never replaces; "
                                     "the copy goes into another file")
                          .arg(target, database));
    if (sqlitefile::nameTaken(target + QStringLiteral("-wal")) || sqlitefile::nameTaken(target + QStringLiteral("-shm"))
        || sqlitefile::isInWalMode(target))
        throw Failure(QStringLiteral("%1 is a database a till works on (it keeps a log), which a backup never replaces; "
                                     "the copy goes into another file")
                          .arg(target));
    // A copy of an archive goes into a new file: over a backup, it would
    // put a closed year where the shop's rows were kept.
    if (isArchive(connection) && !sqlitefile::databaseFileKind(target).isEmpty())
        throw Failure(QStringLiteral("%1 is a closed year's archive, whose copy goes into a new file, never over "
                                     "another database such as %2")
                          .arg(source, target));
    if (sqlitefile::isArchive(target))
        throw Failure(QStringLiteral("%1 is a closed year's archive or a copy of one, which a backup never replaces; "
                                     "the copy goes into another file (remove a copy of an archive first to renew it)")
                          .arg(target));
}
}  // namespace

void copyInto(Connection& connection, const QString& source, const QString& named, LinkAtTarget link)
{
    const QString target = link == LinkAtTarget::Followed ? fileBehindLink(named) : named;
    // Replaced, the name alone is: nothing behind it is written.
    if (link == LinkAtTarget::Followed)
        refuseWhatABackupNeverReplaces(connection, source, target);
    if (const QString problem = writablefiles::newFileProblem(target); !problem.isEmpty())
        throw Failure(problem);
    const QString partial = sqlitefile::partialName(target);
    sqlitefile::removeWithItsFiles(partial);  // left by a copy that was stopped
    sqlitefile::removeStoppedCopies(QFileInfo(target).absolutePath(), QRegularExpression::escape(QFileInfo(target).fileName()));
    // Made first as its owner's alone: while SQLite fills it, it holds what the database holds.
    if (!sqlitefile::createPrivate(partial))
        throw Failure(QStringLiteral("cannot make the file %1").arg(partial));
    RecordSet statement;
    try {
        statement.open(QStringLiteral("VACUUM INTO ") + sql::text(partial), connection);
        sqlitefile::guardedAs(partial, source);
        statement.open(QStringLiteral("ATTACH DATABASE ") + sql::text(sqlitefile::uri(partial, sqlitefile::Access::ReadOnly))
                           + QStringLiteral(" AS copy"),
                       connection);
        const QStringList problems = integrityProblems(connection, QStringLiteral("copy"));
        statement.open(QStringLiteral("DETACH DATABASE copy"), connection);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("the copy failed its check (%1)").arg(problems.first()));
        syncToDisk(partial);
        if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0)
            throw Failure(QStringLiteral("cannot put the copy at %1 (%2)")
                              .arg(target, QString::fromLocal8Bit(std::strerror(errno))));
        syncToDisk(QFileInfo(target).absolutePath());
    } catch (const Failure&) {
        sqlitefile::removeWithItsFiles(partial);
        throw;
    }
}

namespace {
// A folder under the day's name or its logs' (another account of the group
// may make one) would stand in the copy's way, or make it one SQLite cannot
// open: moved aside, under a name no copy takes, with whatever it holds.
void moveAsideAFolderAt(const QString& name)
{
    struct stat entry {};
    if (::lstat(QFile::encodeName(name).constData(), &entry) != 0 || !S_ISDIR(entry.st_mode))
        return;
    for (int n = 1;; ++n) {
        const QString aside = QStringLiteral("%1.not-a-copy-%2").arg(name).arg(n);
        if (::renameat2(AT_FDCWD, QFile::encodeName(name).constData(), AT_FDCWD, QFile::encodeName(aside).constData(),
                        RENAME_NOREPLACE)
            == 0)
            return;
        if (errno != EEXIST)
            throw Failure(QStringLiteral("a folder stands under a name the day's copy needs, %1, and cannot be moved "
                                         "aside (%2); move it away")
                              .arg(name, QString::fromLocal8Bit(std::strerror(errno))));
    }
}
}  // namespace

QString keepTheDays(const QString& database, const QDate& day)
{
    const QString base = QFileInfo(database).completeBaseName();
    const QDir folder(sqlitefile::dailyCopiesFolder(database));
    const QString today = folder.filePath(QStringLiteral("%1-%2.db").arg(base, day.toString(Qt::ISODate)));
    sqlitefile::closeToOthers(database);
    // A folder every account could write (an earlier version's, or another
    // account's) is closed first, and a copy of the day found there is not
    // trusted: another account may have put it there.
    const bool writableByOthers = folderWritableByOthers(folder.path());
    if (!writableByOthers && madeByTheBooksWriter(today, database))
        return {};
    // Made as the database's folder: a group that shares the database makes its copies, whoever is first.
    if (!folder.exists()) {
        if (!QDir().mkpath(folder.path()))
            throw Failure(QStringLiteral("cannot make the folder %1").arg(folder.path()));
        sqlitefile::folderGuardedAs(folder.path(), QFileInfo(database).absolutePath());
    } else if (writableByOthers) {
        if (!sqlitefile::closeFolderToOthers(folder.path()))
            throw Failure(QStringLiteral("the folder %1 can be written by every account of this computer, and this "
                                         "user cannot close it; move it away, and the program makes it anew")
                              .arg(folder.path()));
        // A name of a day to come would stand for that day's copy: taken away
        // as it is, as the day's own below.
        const QRegularExpression planted = dailyName(base, QStringLiteral("(?:-wal|-shm|-journal)?"));
        for (const QString& name : folder.entryList(QDir::Files | QDir::System | QDir::Hidden))
            if (const QRegularExpressionMatch match = planted.match(name);
                match.hasMatch() && match.captured(1) >= day.toString(Qt::ISODate))
                (void)::unlink(QFile::encodeName(folder.filePath(name)).constData());
    }
    // What stands under the day's name is no copy of it, and is replaced by
    // the copy once made, a link too (never followed: the copy would be
    // written where it points). Logs there would be read as the copy's.
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        moveAsideAFolderAt(today + suffix);
        (void)::unlink(QFile::encodeName(today + suffix).constData());
    }
    moveAsideAFolderAt(today);
    if (const QString problem = writablefiles::newFileProblem(today); !problem.isEmpty())
        throw Failure(problem);
    // What copies stopped part-way (the program killed at its first login) left in the folder.
    sqlitefile::removeStoppedCopies(folder.path(), QStringLiteral(".*"));
    // The copy takes about the database's size; room for the database to grow
    // by as much again stays free.
    const qint64 size = QFileInfo(database).size() + QFileInfo(database + QStringLiteral("-wal")).size();
    const qint64 free = freeBytes(folder.path());
    if (free >= 0 && free < 2 * size + MinimumFreeBytes)
        throw Failure(QStringLiteral("the disk has %1 free, and the copy (%2) would leave the database too little "
                                     "room to grow; free some space on it")
                          .arg(megabytes(free), megabytes(size)));

    Connection connection;
    connection.open(schema::sqliteConnectionString(database));
    copyInto(connection, database, today, LinkAtTarget::Replaced);
    connection.close();

    QStringList copies = folder.entryList(QDir::Files, QDir::Name).filter(dailyName(base));
    // Names of days still to come are no copies of this program's: they never
    // push the day's out.
    const QString todays = QFileInfo(today).fileName();
    copies.removeIf([&](const QString& name) { return name > todays; });
    while (copies.size() > DaysKept)
        QFile::remove(folder.filePath(copies.takeFirst()));
    return today;
}

}  // namespace databasebackup
