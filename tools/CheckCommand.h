#pragma once

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

// What the audit lists on the open connection, one line each: the stock
// batches that do not add up and the serials stored twice. Empty when there
// is nothing to report. Throws DbError.
QStringList auditFindings(Connection& connection);
