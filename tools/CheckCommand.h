#pragma once

#include <QStringList>

class QTextStream;

// billdb check: the database's integrity check and the audit of its stock
// and numbering. The arguments follow the word "check". Returns 0 when
// nothing is listed, 1 otherwise; throws Failure when it cannot look.
int check(const QStringList& arguments, QTextStream& out);

extern const char* const CheckHelp;
