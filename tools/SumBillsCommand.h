#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb sum-bills: sums every bill's lines again into the totals the
// database keeps for Show Total and Print Total. Returns the exit status;
// throws Failure when it cannot.
int sumBills(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const SumBillsHelp;
