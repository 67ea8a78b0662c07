#pragma once

#include <QString>
#include <QStringList>

class Connection;
class QCommandLineParser;

// What the billdb commands share: their words, and the database they work on.
namespace tooldb {

// A command's line as billdb read it: its options' values by name (without
// the dashes) and its plain words after the command's name, as many as the
// command takes.
struct CommandLine {
    const QCommandLineParser& options;
    QStringList words;

    QString value(const char* name) const;
    bool isSet(const char* name) const;
    // The SQLite file named with --database; empty for the data source's database.
    QString database() const { return value("database"); }
};

// "(see billdb --help)", the tool named as the operator types it.
QString seeHelp();

// Opens the database: the SQLite file named (never creating one, nor
// changing its journal), or the data source "Bill" when none is named.
// Throws Failure with advice.
void open(Connection& connection, const QString& namedFile);

// Opens the database as open() does, for a command that changes it: a
// closed year's archive is refused, since it is the only place of that
// year's documents ("FILE is a closed year's archive ...; nothing was
// changed"). Asked of the open connection, whose file is not read here.
void openToChange(Connection& connection, const QString& namedFile);

// The SQLite file of the database: the one named, else the data source's.
// Throws Failure when the data source is no SQLite file.
QString file(const QString& namedFile);

// Why the file named to be read cannot be: "FILE does not exist", "FILE is a
// folder"; empty when it is a file.
QString fileToReadProblem(const QString& path);

// "FILE is a closed year's archive (open it with bill --archive FILE)" for
// a file close-year wrote; empty for any other. No command takes an archive
// for the shop's books: a till would go on in the closed year.
QString archiveProblem(const QString& path);

// True when the connection reaches a server, not a SQLite file.
bool onServer(const Connection& connection);

}  // namespace tooldb
