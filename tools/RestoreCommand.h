#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb restore FILE: puts a backup's rows in place of the database's,
// after checking it, and keeps what it replaced beside the database.
// Returns the exit status; throws Failure with a one-line description,
// having changed nothing.
int restore(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const RestoreHelp;
