#include "data/Connectionx.h"

#include "data/Connection.h"
#include "data/RecordSet.h"

namespace Connectionx {

Connection& sharedConnection()
{
    // Never destroyed: at the end of the run the database registry that a
    // connection's destructor calls into is gone before function statics.
    static Connection* connection = new Connection;
    return *connection;
}

RecordSet& sharedRecordSet()
{
    static RecordSet recordSet;
    return recordSet;
}

RecordSet& sharedRecordSet2()
{
    static RecordSet recordSet;
    return recordSet;
}

QString& sharedSql()
{
    static QString text;
    return text;
}

}  // namespace Connectionx
