#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class Connection;

// Copies of a shop's SQLite database, taken by SQLite itself while programs
// may be writing it (never a copy of the file, which could catch a write
// half done), and checked before they are kept.
namespace databasebackup {

// The rows of "PRAGMA integrity_check" on the connection (of that schema):
// empty when it is sound. A database too damaged to check gives its failure;
// one another program holds too long, this user may not write, or whose disk
// is full or failing, throws its failure (busy, read only, full, a disk error).
QStringList integrityProblems(Connection& connection, const QString& schema = QStringLiteral("main"));

// Puts the file (or folder) on the disk, not only in the system's buffers.
// Throws Failure when it cannot.
void syncToDisk(const QString& path);

// Copies the database the connection has open, the SQLite file `source`,
// into `target`: one moment's state with every committed line, open to no
// more than the database, checked and on the disk before it takes the place
// of an older target. Throws Failure, leaving what was at `target` as it was;
// a target that is the database itself (or its log), by whatever name, is refused.
// A link at `target` is followed (a link to a copy elsewhere stays a link),
// or, Replaced, is itself replaced by the copy.
enum class LinkAtTarget { Followed, Replaced };
void copyInto(Connection& connection, const QString& source, const QString& target,
              LinkAtTarget link = LinkAtTarget::Followed);

// The copies a shop's database keeps of itself, one for each day the
// program is used, in the folder "backups" beside it (sqlitefile::dailyCopiesFolder).
inline constexpr int DaysKept = 30;
// Makes the day's copy unless there is one, and removes the oldest beyond
// DaysKept. Returns the copy made; empty when the day had one already.
// Throws Failure; also, making nothing, when the copy would leave the disk
// less room than the database may want to grow into (the database itself
// again, and MinimumFreeBytes): the shop's own writes come first.
inline constexpr qint64 MinimumFreeBytes = 256LL * 1024 * 1024;
QString keepTheDays(const QString& database, const QDate& day);
// The bytes free for this user on the disk of the path (tests replace it;
// an empty function puts back the disk's own).
void setFreeBytes(std::function<qint64(const QString& path)> freeBytes);

}  // namespace databasebackup
