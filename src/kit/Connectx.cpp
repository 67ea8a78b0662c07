#include "kit/Connectx.h"

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "kit/Messages.h"

void connectx(Connection& connection)
{
    try {
        connection.open();
    } catch (const DbError& error) {
        // The database's state (a file replaced while held) is told as it is;
        // a connection that could not be made comes with how to set it up.
        if (error.unavailable()) {
            Messages::instance().showError(error.description());
            return;
        }
        Messages::instance().showError(error.description() + QStringLiteral("\n\n")
                                       + datasource::setupAdvice(datasource::ProgramDataSource,
                                                                 error.description()));
    }
}
