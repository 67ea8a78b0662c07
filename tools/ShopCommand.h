#pragma once

class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb shop: the shop's letterhead, printed on every document. Returns the
// exit status; throws Failure with a one-line description.
int shop(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const ShopHelp;
