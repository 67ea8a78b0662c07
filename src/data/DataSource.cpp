#include "data/DataSource.h"

#include "kit/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace datasource {

QString userIniPath()
{
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.odbc.ini");
}

bool isDefined(const QString& name)
{
    QFile file(userIniPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QRegularExpression section(
        QStringLiteral("^\\s*\\[%1\\]\\s*$").arg(QRegularExpression::escape(name)),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return section.match(QString::fromUtf8(file.readAll())).hasMatch();
}

void defineSqlite(const QString& name, const QString& databasePath)
{
    QFile file(userIniPath());
    const bool startsNewLine = file.exists() && file.size() > 0;
    if (!file.open(QIODevice::Append | QIODevice::Text))
        throw Failure(QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
    QTextStream out(&file);
    if (startsNewLine)
        out << "\n";
    out << "[" << name << "]\n"
        << "Description=Bill Software database\n"
        << "Driver=SQLite3\n"
        << "Database=" << QFileInfo(databasePath).absoluteFilePath() << "\n"
        << "NoCreat=1\n"
        // The driver's default, written out because the program relies on it:
        // a result is read whole when its statement runs, so a grid's result
        // kept open while the operator scrolls holds no lock against writers.
        << "StepAPI=0\n";
}

QString defaultDatabasePath()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/bill/Bill.db");
}

}  // namespace datasource
