#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb backup FILE: a consistent copy of the database taken while the
// program may be writing. Returns the exit status; throws Failure with a
// one-line description.
int backup(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const BackupHelp;
