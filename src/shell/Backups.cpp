#include "shell/Backups.h"

#include "core/Dates.h"
#include "core/Failure.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DatabaseBackup.h"
#include "data/ErrorKinds.h"
#include "data/RunDatabase.h"
#include "data/SqliteFile.h"
#include "kit/FileDialogs.h"
#include "kit/Messages.h"
#include "print/WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace shell {

namespace {

// The shop's database file; empty on a server or a closed year's archive.
QString databaseFile()
{
    if (!rundatabase::archivePath().isEmpty())
        return {};
    return datasource::sqliteFile(rundatabase::connectionString());
}

// The day whose copy was made or tried last: a copy that cannot be made is
// told once a day, not at every look at the clock.
QDate& dayLastCopied()
{
    static QDate day;
    return day;
}

}  // namespace

void keepTheDaysBackup()
{
    const QString file = databaseFile();
    if (file.isEmpty())
        return;
    dayLastCopied() = dates::today();
    try {
        const WaitCursor waiting;  // a second or so for a large shop's years
        databasebackup::keepTheDays(file, dates::today());
    } catch (const Failure& failure) {
        // A damaged database has no sound copy to make: what to do then is told instead.
        const auto* database = dynamic_cast<const DbError*>(&failure);
        const QString whatNow = database && database->kind() == DbError::Kind::Damaged
            ? dberrors::notice(DbError::Kind::Damaged)
            : QStringLiteral("The program works on; make a copy with File > Back Up.");
        Messages::instance().showError(QStringLiteral("The day's backup of the database could not be made in %1: %2. %3")
                                           .arg(QDir::toNativeSeparators(sqlitefile::dailyCopiesFolder(file)),
                                                dberrors::reason(failure), whatNow));
    }
}

void keepEachNewDaysBackup(QObject* mainWindow)
{
    constexpr int MinuteMs = 60 * 1000;
    if (databaseFile().isEmpty() || mainWindow->findChild<QTimer*>(QStringLiteral("dailyBackup")))
        return;
    auto* clock = new QTimer(mainWindow);
    clock->setObjectName(QStringLiteral("dailyBackup"));
    QObject::connect(clock, &QTimer::timeout, [] {
        if (dates::today() != dayLastCopied())
            keepTheDaysBackup();
    });
    clock->start(MinuteMs);
}

void backUpDatabase(QWidget* parent)
{
    const QString file = databaseFile();
    if (file.isEmpty()) {
        Messages::instance().inform(QStringLiteral("The database is on a server: it is backed up there, with the "
                                                   "server's own tools (pg_dump)."),
                                    QStringLiteral("Information"));
        return;
    }
    const QString suggested = QDir(FileDialogs::documentsFolder()).filePath(
        QStringLiteral("%1-%2.db").arg(QFileInfo(file).completeBaseName(), dates::today().toString(Qt::ISODate)));
    const QString target =
        FileDialogs::instance().saveFileName(parent, QStringLiteral("Back Up"), suggested, QStringLiteral("Databases (*.db)"));
    if (target.isEmpty())
        return;
    try {
        const WaitCursor waiting;  // a second or so for a large shop's years
        Connection connection;
        connection.open();
        databasebackup::copyInto(connection, file, target);
    } catch (const Failure& failure) {
        Messages::instance().showError(
            QStringLiteral("The backup could not be made: %1. Nothing was written to %2.").arg(dberrors::reason(failure), target));
        return;
    }
    Messages::instance().inform(QStringLiteral("The database was backed up to %1.").arg(QDir::toNativeSeparators(target)),
                                QStringLiteral("Information"));
}

}  // namespace shell
