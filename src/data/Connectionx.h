#pragma once

#include <QString>

class Connection;
class RecordSet;

// The shared connection of the login check, the password change, the list
// fillers and the print routines; each opens it, uses it and closes it again.
namespace Connectionx {

Connection& sharedConnection();
RecordSet& sharedRecordSet();
RecordSet& sharedRecordSet2();
// The last statement the login check built.
QString& sharedSql();

}  // namespace Connectionx
