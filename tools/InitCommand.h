#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb init: a new database and the data source "Bill" for this user (or,
// with --server, the tables on a server's database). Returns the exit
// status; throws Failure with a one-line description.
int init(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const InitHelp;
