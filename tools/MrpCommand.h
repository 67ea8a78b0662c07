#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb mrp: sets the selling price (MRP) of stock batches. Returns the
// exit status; throws Failure with a one-line description when nothing
// matches or an argument is wrong.
int setMrp(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const MrpHelp;
