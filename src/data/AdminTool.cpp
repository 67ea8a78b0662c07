#include "data/AdminTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace admintool {

namespace {

const QString Name = QStringLiteral("billdb");

QString locate()
{
    const QString onPath = QFileInfo(QStandardPaths::findExecutable(Name)).canonicalFilePath();
    const QDir here(QCoreApplication::applicationDirPath());
    // Installed side by side; in the build tree the tool is in tools/ beside
    // the program's src/ (and the tests' and the benchmark's folders).
    for (const QString& candidate : {here.filePath(Name), here.filePath(QStringLiteral("../tools/")) + Name}) {
        const QFileInfo tool(candidate);
        if (!tool.isFile() || !tool.isExecutable())
            continue;
        return tool.canonicalFilePath() == onPath ? Name : shellWord(tool.canonicalFilePath());
    }
    return Name;
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
    static const QString located = locate();
    return located;
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
