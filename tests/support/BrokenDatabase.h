#pragma once

class TestDatabase;

// A database that cannot take a write, as the tests make one on either engine.
namespace brokendb {

// While it lives new connections can only read: the SQLite file is of
// another user and has no write permission (when the tests run as root,
// root's power to write any file is set aside for the while); the server's
// database makes every new session's transactions read-only. The sessions
// open before end (SQLite: the test database lets go of its own, or SQLite
// would hand that read-write file to the new connections).
class ReadOnly {
public:
    explicit ReadOnly(TestDatabase& db);
    ~ReadOnly();
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

private:
    TestDatabase& m_db;
    unsigned m_mode = 0;
};

// While it lives the database's disk cannot take its writes.
// Full: no SQLite connection opened can make its file grow (PRAGMA
// max_page_count at its present size), as a full disk leaves it; on the
// server a new or changed stock batch fails with the server's SQLSTATE for a
// full disk (not its words).
// Failing (SQLite only): no file of this process can grow past the size of
// the log's index (RLIMIT_FSIZE), so a commit that adds to the emptied
// write-ahead log fails with an I/O error, and SQLite rolls its transaction
// back itself.
class BadDisk {
public:
    enum Kind { Full, Failing };
    BadDisk(TestDatabase& db, Kind kind);
    ~BadDisk();
    BadDisk(const BadDisk&) = delete;
    BadDisk& operator=(const BadDisk&) = delete;

private:
    TestDatabase& m_db;
    Kind m_kind;
    unsigned long m_sizeLimit = 0;
};

}  // namespace brokendb
