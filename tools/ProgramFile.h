#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Connection;

// A SQLite file that is to be read as a database of this program: a backup
// being restored, or a shop's database being copied to a server.
namespace programfile {

// Every table of this program with its columns, in order.
using Tables = QList<QPair<QString, QStringList>>;

// Attaches the file, read only, to the connection under the schema name `as`.
void attach(Connection& connection, const QString& file, const QString& as);

// The tables of this program, once the file is checked to have every one of
// them column for column and to pass SQLite's integrity check. Throws Failure
// "FILE <why>; <nothingDone>" when it does not.
Tables checkedTables(const QString& file, const QString& nothingDone);

}  // namespace programfile
