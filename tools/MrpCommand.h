#pragma once

#include <QStringList>

class QTextStream;

// billdb mrp: sets the selling price (MRP) of stock batches. The arguments
// follow the word "mrp". Returns the exit status; throws Failure with a
// one-line description when nothing matches or an argument is wrong.
int setMrp(const QStringList& arguments, QTextStream& out);
