#pragma once

class Connection;

// The shared connection of the login check, the password change, the list
// fillers of the query screens and the print routines; each opens it, uses
// it and closes it again.
namespace Connectionx {

Connection& sharedConnection();

}  // namespace Connectionx
