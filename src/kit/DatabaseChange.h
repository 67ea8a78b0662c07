#pragma once

#include <QString>
#include <functional>

class Connection;
class Failure;

// A change an operator's operation makes to the database (Add Item, Save,
// Delete, the new password): its statements land together or not at all,
// and a change that does not land is always told, once.
namespace change {

// How a screen tells, in its own words, a row the database refused as a
// duplicate (one with the same key is stored).
using TellDuplicate = std::function<void()>;

// Runs the statements in one transaction on the connection. When they fail,
// nothing was changed, and the operator is told why when the operation ends:
// by the kind of an unavailable database (FailureStyles.h), else in the
// database's own words (refusalNotice), or by tellDuplicate for a duplicate
// when it is given. The failure is thrown on, to end the operation. A
// connection that is not open failed to open, which connectx has told:
// nothing more is said then.
void together(Connection& connection, const std::function<void()>& statements,
              const TellDuplicate& tellDuplicate = {});

// What the operator reads when the database refused a change (in its own
// words: the failure's description), or the change failed for a reason of
// its own ("No free number is left").
QString refusalNotice(const Failure& failure);

}  // namespace change
