#include "shell/ArchiveMode.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/RunDatabase.h"
#include "data/Schema.h"
#include "kit/FileDialogs.h"
#include "kit/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace shell {

namespace {

// The entries that only read: the query screens, and Close.
const char* const ArchiveEntries[] = {"mnuClose", "mnuItemReceiveQuery", "mnuStockQuery", "mnuBill",
                                      "mnuExpenditureQuery"};

std::function<void(const QString&)>& archiveStart()
{
    static std::function<void(const QString&)> start;
    return start;
}

void startProgramOn(const QString& path)
{
    if (archiveStart()) {
        archiveStart()(path);
        return;
    }
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--archive"), path}))
        Messages::instance().showError(QStringLiteral("The program could not be started for %1.").arg(path));
}

}  // namespace

bool openArchive(const QString& path)
{
    const QFileInfo file(path);
    QString why;
    if (!file.isFile()) {
        why = QStringLiteral("There is no file %1.").arg(file.absoluteFilePath());
    } else {
        rundatabase::useArchive(path);
        try {
            Connection connection;
            connection.open();
            if (!schema::hasTables(connection))
                why = QStringLiteral("%1 is not an archive of this program: it lacks the program's tables.")
                          .arg(file.absoluteFilePath());
        } catch (const DbError& error) {
            why = QStringLiteral("%1 cannot be opened: %2").arg(file.absoluteFilePath(), error.description());
        }
    }
    if (why.isEmpty())
        return true;
    rundatabase::useDataSource();
    Messages::instance().showError(why);
    return false;
}

QString archiveNote()
{
    const QString archive = rundatabase::archivePath();
    return archive.isEmpty() ? QString()
                             : QStringLiteral("Closed year %1 (read only)").arg(QDir::toNativeSeparators(archive));
}

QString captionOf(const QString& caption)
{
    const QString note = archiveNote();
    return note.isEmpty() ? caption : caption + QStringLiteral(" - ") + note.left(1).toLower() + note.mid(1);
}

bool menuOffers(const QString& entryName)
{
    if (rundatabase::archivePath().isEmpty())
        return true;
    for (const char* entry : ArchiveEntries)
        if (entryName == QLatin1String(entry))
            return true;
    return false;
}

void openClosedYear(QWidget* parent)
{
    const QString folder = FileDialogs::documentsFolder();
    const QString path = FileDialogs::instance().openFileName(parent, QStringLiteral("Open Closed Year"), folder,
                                                              QStringLiteral("Archives (*.db);;All files (*)"));
    if (!path.isEmpty())
        startProgramOn(path);
}

void setArchiveStart(std::function<void(const QString& path)> start)
{
    archiveStart() = std::move(start);
}

}  // namespace shell
