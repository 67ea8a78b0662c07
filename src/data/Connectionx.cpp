#include "data/Connectionx.h"

#include "data/Connection.h"

namespace Connectionx {

Connection& sharedConnection()
{
    // Never destroyed: at the end of the run the database registry that a
    // connection's destructor calls into is gone before function statics.
    static Connection* connection = new Connection;
    return *connection;
}

}  // namespace Connectionx
