#pragma once

#include <QString>
#include <sys/types.h>

// A database that cannot be written, as the tests make one.
namespace brokendb {

// While it lives the database file cannot be written by this process, as a
// file of another user: its mode has no write permission and, when the tests
// run as root, root's power to write any file is set aside for the while.
// No connection of this process may have the file open when it is made:
// SQLite would hand that connection's read-write file to the new ones.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    QString m_path;
    mode_t m_mode = 0;
};

// While it lives every SQLite connection this process opens cannot make its
// database grow (PRAGMA max_page_count at its present size): full, as a full
// disk leaves it.
class FullDatabase {
public:
    FullDatabase();
    ~FullDatabase();
    FullDatabase(const FullDatabase&) = delete;
    FullDatabase& operator=(const FullDatabase&) = delete;
};

}  // namespace brokendb
