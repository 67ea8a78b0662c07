#pragma once

#include <QString>

class QTextStream;

// billdb init --server ADDRESS [--from FILE]: the program's tables on a
// PostgreSQL server's database, filled from the shop's database FILE when
// one is named, and the data source "Bill" for it through the server's ODBC
// driver. Returns 0; throws Failure with the server's words.
int initServer(const QString& address, bool ifMissing, const QString& fromFile, QTextStream& out);

extern const char* const ServerInitHelp;
