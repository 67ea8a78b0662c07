#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb close-year --before DATE --archive FILE: the documents dated
// before DATE move into the archive FILE, the stock on hand stays and is
// the new year's opening receipt, and bills, receipts and vouchers number
// from 1 again. Returns the exit status; throws Failure with a one-line
// description when it refuses or fails, having changed nothing.
int closeYear(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const CloseYearHelp;
