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
        Messages::instance().showError(error.description() + QStringLiteral("\n\n")
                                       + datasource::setupAdvice(datasource::ProgramDataSource,
                                                                 error.description()));
    }
}
