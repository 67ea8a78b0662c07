#pragma once

#include <QString>

// Sessions with a database server, kept open for reuse. Opening one costs
// the server a new process and a password exchange, tens of milliseconds,
// and the screens open a connection before every group of statements;
// closed, the session is kept instead and the next open of the same
// connection string takes it back, once it has answered a statement (a
// session the server has ended meanwhile is dropped, and a new one opened).
// SQLite files are opened afresh every time. Kept per thread, as Qt's
// connections are.
namespace serversessions {

// The QODBC connection name of a kept, open session for the ODBC connection
// string, taken out of keeping; empty when none answers.
QString take(const QString& odbcName);

// Keeps the open connection of that name, its transaction rolled back, for
// a later take(); closes it when enough are kept already.
void keep(const QString& odbcName, const QString& connectionName);

// How many sessions this thread keeps.
int keptCount();

}  // namespace serversessions
