#include "data/AdminTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace admintool {

namespace {

const QString Name = QStringLiteral("billdb");
const QString ProgramName = QStringLiteral("bill");

// The name as typed when the PATH finds the one beside this process, else
// its full path: installed, the two are side by side; in the build tree
// the tool is in tools/ and the program in src/ (and the tests' and the
// benchmark's folders are beside them).
QString locate(const QString& name, const QString& buildFolder)
{
    const QString onPath = QFileInfo(QStandardPaths::findExecutable(name)).canonicalFilePath();
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(name), here.filePath(QStringLiteral("../%1/").arg(buildFolder)) + name}) {
        const QFileInfo found(candidate);
        if (!found.isFile() || !found.isExecutable())
            continue;
        return found.canonicalFilePath() == onPath ? name : shellWord(found.canonicalFilePath());
    }
    return name;
}

}  // namespace

QString shellWord(const QString& word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+:@%=,-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    return QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

QString command()
{
    // Where the program runs from is known once the application is made.
    if (!QCoreApplication::instance())
        return Name;
    static const QString located = locate(Name, QStringLiteral("tools"));
    return located;
}

QString program(const QString& words)
{
    if (!QCoreApplication::instance())
        return ProgramName + QLatin1Char(' ') + words;
    static const QString located = locate(ProgramName, QStringLiteral("src"));
    return located + QLatin1Char(' ') + words;
}

QString command(const QString& words)
{
    return command() + QLatin1Char(' ') + words;
}

QString closeYearAdvice(const QString& documentName)
{
    return QStringLiteral("Close the finished year into an archive, and %1s number from 1 again: %2")
        .arg(documentName, command(QStringLiteral("close-year --before YYYY-MM-DD --archive FILE")));
}

}  // namespace admintool
