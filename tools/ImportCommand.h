#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb import TABLE FILE [--skip-bad]: the records of a CSV file added to
// a master table as its screen's Save adds them, after the checks Save
// makes. Lists every bad record on standard error; returns the exit status
// (ImportHelp). Throws Failure with a one-line description when the file or
// the database fails it, having imported nothing.
int importMaster(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const ImportHelp;
