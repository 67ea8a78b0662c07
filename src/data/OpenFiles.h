#pragma once

#include <QString>
#include <QtGlobal>

// The SQLite database files this program's connections hold, each by its
// path and its identity on the disk.
//
// A file put in the place of one that connections still hold (a copy moved
// over it) must not be opened beside them: SQLite finds a database's
// write-ahead log by the path, so a connection to the new file would read the
// old file's log as its own, and the last one closed would write the old
// file's pages into the new file and damage it. Each connection to the old
// file writes the log back into it as it closes (Connection::close); once none
// holds it, the new file opens cleanly.
namespace openfiles {

struct Identity {
    quint64 device = 0, inode = 0;
    bool operator==(const Identity& other) const { return device == other.device && inode == other.inode; }
};

// The path's file on the disk now; false when there is none.
bool identityAt(const QString& path, Identity& identity);

void opened(const QString& path, const Identity& identity);
void closed(const QString& path, const Identity& identity);

// True when connections hold a file that was at the path, and another file is there now.
bool replacedWhileHeld(const QString& path);

}  // namespace openfiles
