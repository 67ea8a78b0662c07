#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QtTest>

// The administration tool and the sqlite3 shell, run as the operator runs them.
namespace toolrun {

struct Result {
    int exitCode;
    QString out, err;
};

// The billdb the build made (ctest names it in BILL_TOOL).
inline QString billdbProgram()
{
    return qEnvironmentVariable("BILL_TOOL");
}

inline Result run(const QStringList& arguments, const QProcessEnvironment& environment,
                  const QString& program = billdbProgram())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        qFatal("%s did not finish", qPrintable(program));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A refusal as the tool gives one: status 1, one line "billdb: ..." on standard error.
inline bool refusedInOneLine(const Result& result)
{
    return result.exitCode == 1 && result.err.startsWith("billdb: ") && result.err.count('\n') == 1;
}

// A text file's contents; empty when it cannot be read.
inline QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// This process's environment with the data sources in ini and the account's home at home.
inline QProcessEnvironment environment(const QString& ini, const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ODBCINI", ini);
    environment.insert("HOME", home);
    environment.remove("XDG_DATA_HOME");
    return environment;
}

inline QString sqlite(const QString& database, const QString& query)
{
    QProcess process;
    process.start("sqlite3", {database, query});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace toolrun
