#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb export TABLE FILE: a master table into a CSV file, a heading line
// of the table's column names and a line per record in SN order, which
// billdb import reads back. Returns the exit status; throws Failure with a
// one-line description when it fails, leaving FILE as it was.
int exportMaster(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const ExportHelp;
