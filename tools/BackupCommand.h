#pragma once

#include <QStringList>

class QTextStream;

// billdb backup FILE: a consistent copy of the database taken while the
// program may be writing. The arguments follow the word "backup". Returns
// the exit status; throws Failure with a one-line description.
int backup(const QStringList& arguments, QTextStream& out);

extern const char* const BackupHelp;
