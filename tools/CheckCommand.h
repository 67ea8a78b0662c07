#pragma once

#include "ValueAudit.h"

#include <QStringList>

class Connection;
class QTextStream;
namespace tooldb {
struct CommandLine;
}

// billdb check: the database's integrity check and the audit of its stock
// and numbering. Returns 0 when nothing is listed, 1 otherwise; throws
// Failure when it cannot look.
int check(const tooldb::CommandLine& line, QTextStream& out);

extern const char* const CheckHelp;

// What the audit lists on the open connection, one line each: the values a
// SQLite file holds that the program cannot read, the stock batches that do
// not add up, the serials stored twice and the bills summed wrongly. Empty when there
// is nothing to report. Throws DbError. A year's close, which carries the
// figures into its archive as they stand, asks only for Readable figures
// (tools/ValueAudit.h).
QStringList auditFindings(Connection& connection, valueaudit::Figures figures = valueaudit::Figures::Typed);
