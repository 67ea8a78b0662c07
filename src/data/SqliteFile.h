#pragma once

#include <QString>

// How a SQLite database file is named in a connection string.
namespace sqlitefile {

enum class Access { ReadWrite, ReadOnly };

// The file as a "file:" URI, which the SQLite3 ODBC driver opens as SQLite
// does. Unlike a bare path it keeps a ';' in a folder's name, which would
// otherwise end the connection string's value and open another file.
QString uri(const QString& path, Access access = Access::ReadWrite);

// A new database file is its owner's alone: its users' passwords are in it,
// kept in a form anyone can turn back. SQLite gives its log files the same.
// Makes the empty file (a database SQLite then fills); false when it cannot.
bool createPrivate(const QString& path);

// A copy of a database (a backup, an archive, what a restore replaced) is
// open to no more than the database itself, and to the same group.
void guardedAs(const QString& copy, const QString& database);

// The same for a folder of copies, made as the database's folder (model),
// but never open to other accounts.
void folderGuardedAs(const QString& folder, const QString& model);
// Takes other accounts' access and the sticky bit off a folder; false when
// this user cannot (another account's folder).
bool closeFolderToOthers(const QString& folder);

// A database an older version made open to every account of the computer
// (and its log files) is closed to the others; its owner's and its group's
// access stay.
void closeToOthers(const QString& database);

// True when the two names reach one file (the same name, a link, another
// path to it): a copy put at one would replace the other.
bool sameFile(const QString& first, const QString& second);

// Removes a database file with the files SQLite keeps beside it (its
// journal, its log and the log's index), as a copy stopped part-way leaves them.
void removeWithItsFiles(const QString& path);

// A copy made under a name of its own (NAME.partial-PID, with its journal),
// then put in place whole: the name of a database or copy that may be made
// so, and the copies of it that processes stopped part-way left in the
// folder (their process gone) removed. nameBeforePartial is a regular
// expression of the name before ".partial-".
QString partialName(const QString& path);
void removeStoppedCopies(const QString& folder, const QString& nameBeforePartial);

// Puts the file made at `partial` at `whole` only while no file is there: a
// link, which never replaces one; on a disk without links (a memory
// stick's), a rename after a last look. Throws Failure ("... already exists")
// when a file is there. A log or journal left at the name without its
// database (lost after a hard stop) is set aside first as
// NAME-wal.left-YYYYMMDD-HHMMSS: SQLite would play it into the new file.
void putWhereNoneIs(const QString& partial, const QString& whole);

// True when anything is at the name: a file, a folder, a link (to nothing too).
bool nameTaken(const QString& path);

// True when SQLite left the database's log beside it on closing its last
// connection: it could not move the log's pages into the file (a full
// disk), so the file alone is not the database.
bool logLeftBeside(const QString& path);

// Which of the database's own files `path` reaches, by whatever name: "the
// database itself", or it with "(its wal)", "(its shm)" or "(its journal)"
// (a journal SQLite would take as left behind); empty when none of them.
// Writing a file there would replace the shop's books or their log.
QString ownFileOf(const QString& database, const QString& path);

// A closed year's archive is the only copy of that year's documents: it
// carries this mark in its header (SQLite's application id), set by the
// statement below, so that no copy is ever put over it.
QString markAsArchiveStatement();
bool isArchiveId(qint64 applicationId);
// Reads the file's header. Never for a database this process has open: a
// descriptor of it closed drops every lock SQLite holds on it here.
bool isArchive(const QString& path);

// Whether the SQLite file at `path` keeps its changes in a write-ahead log,
// as the program's database does (its header says so, also while no
// program has it open); a backup or an archive does not. Reads the header,
// as isArchive does.
bool isInWalMode(const QString& path);

// The database whose write-ahead log, its index or rollback journal `path`
// names (NAME-wal, NAME-shm, NAME-journal beside a database NAME), made yet
// or not, itself or through symbolic links; empty for any other name.
// Written over, the database would lose what its log holds.
QString databaseOfLog(const QString& path);

// The folder of the copies a shop's database keeps of itself, one for each
// day the program is used: "backups" beside it.
QString dailyCopiesFolder(const QString& database);

// What a spreadsheet saved at `path` would replace: "a closed year's
// archive", "a database" (a backup, another till's file) for a SQLite
// file there, or "the log of the database NAME"; empty for any other file,
// or none.
QString databaseFileKind(const QString& path);

}  // namespace sqlitefile
