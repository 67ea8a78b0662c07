#include "support/BrokenDatabase.h"

#include <QFile>
#include <linux/capability.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace brokendb {

namespace {

// CAP_DAC_OVERRIDE in this thread's effective set, on or off (it stays
// permitted, so it can be taken up again). Without the capability this does nothing.
void overrideFilePermissions(bool on)
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

bool capping = false;

int capAtPresentSize(sqlite3* connection, char**, const sqlite3_api_routines*)
{
    // The lowest maximum SQLite accepts is the present size.
    if (capping)
        sqlite3_exec(connection, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
    return SQLITE_OK;
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const QString& path) : m_path(path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        qFatal("cannot read the mode of %s", qPrintable(path));
    m_mode = status.st_mode & 07777;
    ::chmod(QFile::encodeName(path).constData(), m_mode & ~0222);
    overrideFilePermissions(false);
}

ReadOnlyFile::~ReadOnlyFile()
{
    overrideFilePermissions(true);
    ::chmod(QFile::encodeName(m_path).constData(), m_mode);
}

FullDatabase::FullDatabase()
{
    // Registered once; it caps only while a FullDatabase lives.
    static const bool registered =
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&capAtPresentSize)) == SQLITE_OK;
    if (!registered)
        qFatal("cannot register the page cap with SQLite");
    capping = true;
}

FullDatabase::~FullDatabase()
{
    capping = false;
}

}  // namespace brokendb
