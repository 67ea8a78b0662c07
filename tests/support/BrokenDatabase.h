#pragma once

#include "support/TestDatabase.h"

#include <QFile>
#include <csignal>
#include <linux/capability.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// A database that cannot take a write, as the tests make one on either engine.
namespace brokendb {

namespace detail {

// CAP_DAC_OVERRIDE in this thread's effective set, on or off (it stays permitted).
inline void overrideFilePermissions(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    const __u32 bit = 1u << CAP_DAC_OVERRIDE;
    if (!(data[0].permitted & bit))
        return;
    data[0].effective = on ? (data[0].effective | bit) : (data[0].effective & ~bit);
    syscall(SYS_capset, &header, data);
}

inline bool capping = false;

inline int capAtPresentSize(sqlite3* connection, char**, const sqlite3_api_routines*)
{
    // The lowest maximum SQLite accepts is the present size.
    if (capping)
        sqlite3_exec(connection, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
    return SQLITE_OK;
}

// A setting of the server's database for the sessions opened from now on.
inline void setForNewSessions(TestDatabase& db, const QString& setting)
{
    db.execOnServer(QStringLiteral("ALTER DATABASE %1 %2").arg(db.server().database, setting));
    db.execOnServer(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                        .arg(db.server().database));
}

}  // namespace detail

// While it lives new connections can only read: the SQLite file loses its write permission (root's
// power set aside; the test database lets go of its own connection, or SQLite would hand that
// read-write file on); the server makes new sessions' transactions read-only.
class ReadOnly {
public:
    explicit ReadOnly(TestDatabase& db) : m_db(db)
    {
        if (TestDatabase::onServer()) {
            detail::setForNewSessions(db, QStringLiteral("SET default_transaction_read_only = on"));
            return;
        }
        db.letGo();
        const QByteArray path = QFile::encodeName(db.path());
        struct stat status {};
        if (::stat(path.constData(), &status) != 0)
            qFatal("cannot read the mode of %s", path.constData());
        m_mode = status.st_mode & 07777;
        ::chmod(path.constData(), m_mode & ~0222);
        detail::overrideFilePermissions(false);
    }
    ~ReadOnly()
    {
        if (TestDatabase::onServer()) {
            detail::setForNewSessions(m_db, QStringLiteral("RESET default_transaction_read_only"));
            return;
        }
        detail::overrideFilePermissions(true);
        // SQLite made the log's index as read-only as the file it read.
        for (const QString& file : {m_db.path(), m_db.path() + QStringLiteral("-shm")})
            ::chmod(QFile::encodeName(file).constData(), m_mode);
        m_db.holdAgain();
    }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

private:
    TestDatabase& m_db;
    unsigned m_mode = 0;
};

// While it lives the disk cannot take writes. Full: no SQLite connection can grow its file (PRAGMA
// max_page_count); on the server a stock batch written fails with a full disk's SQLSTATE. Failing
// (SQLite only): no file can grow past the log's index (RLIMIT_FSIZE), so a commit to the emptied
// write-ahead log fails with an I/O error and SQLite rolls it back.
class BadDisk {
public:
    enum Kind { Full, Failing };
    BadDisk(TestDatabase& db, Kind kind) : m_db(db), m_kind(kind)
    {
        if (TestDatabase::onServer()) {
            db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION disk_full() RETURNS trigger LANGUAGE plpgsql AS "
                                   "'BEGIN RAISE EXCEPTION ''could not extend file'' USING ERRCODE = ''53100''; END'"));
            db.exec(QStringLiteral("CREATE TRIGGER DiskFull BEFORE INSERT OR UPDATE ON Stock FOR EACH ROW "
                                   "EXECUTE FUNCTION disk_full()"));
            return;
        }
        if (kind == Full) {
            // Registered once; it caps only while a Full disk lives.
            static const bool registered =
                sqlite3_auto_extension(reinterpret_cast<void (*)()>(&detail::capAtPresentSize)) == SQLITE_OK;
            if (!registered)
                qFatal("cannot register the page cap with SQLite");
            detail::capping = true;
            return;
        }
        // The log goes with the last connection, and starts empty again.
        db.letGo();
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        m_sizeLimit = limit.rlim_cur;
        limit.rlim_cur = 32768;
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
    }
    ~BadDisk()
    {
        if (TestDatabase::onServer()) {
            m_db.exec(QStringLiteral("DROP TRIGGER DiskFull ON Stock"));
        } else if (m_kind == Full) {
            detail::capping = false;
        } else {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = m_sizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
            m_db.holdAgain();
        }
    }
    BadDisk(const BadDisk&) = delete;
    BadDisk& operator=(const BadDisk&) = delete;

private:
    TestDatabase& m_db;
    Kind m_kind;
    unsigned long m_sizeLimit = 0;
};

}  // namespace brokendb
