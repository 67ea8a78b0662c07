#pragma once

#include <QStringList>

class QTextStream;

// billdb restore FILE: puts a backup's rows in place of the database's,
// after checking it, and keeps what it replaced beside the database. The
// arguments follow the word "restore". Returns the exit status; throws
// Failure with a one-line description, having changed nothing.
int restore(const QStringList& arguments, QTextStream& out);

extern const char* const RestoreHelp;
