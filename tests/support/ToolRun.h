#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

// The administration tool and the sqlite3 shell, run as the operator runs them.
namespace toolrun {

struct Result {
    int exitCode;
    QString out, err;
    // A refusal as the tool gives one: status 1, one line "billdb: ..." on standard error.
    bool refusedInOneLine() const { return exitCode == 1 && err.startsWith("billdb: ") && err.count('\n') == 1; }
};

// The billdb the build made (ctest names it in BILL_TOOL).
inline QString billdbProgram() { return qEnvironmentVariable("BILL_TOOL"); }

// inChild runs in the child before the program starts (a limit set on it, say).
inline Result run(const QStringList& arguments, const QProcessEnvironment& environment,
                  const QString& program = billdbProgram(), const std::function<void()>& inChild = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        qFatal("%s did not finish", qPrintable(program));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
    return run({database, query}, QProcessEnvironment::systemEnvironment(), "sqlite3").out.trimmed();
}

}  // namespace toolrun
