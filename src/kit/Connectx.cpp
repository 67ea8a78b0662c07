#include "kit/Connectx.h"

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"

namespace {

// Within an operation, once as it ends, however often it tries to connect.
void tell(const QString& notice)
{
    if (failurestyles::NoticeScope::inOperation())
        failurestyles::NoticeScope::tell(notice);
    else
        Messages::instance().showError(notice);
}

}  // namespace

void connectx(Connection& connection)
{
    try {
        connection.open();
    } catch (const DbError& error) {
        // The database's state (a file replaced while held) is told as it is;
        // a connection that could not be made comes with how to set it up.
        if (error.unavailable()) {
            tell(error.description());
            return;
        }
        // The driver manager keeps the data sources it read at the start (and
        // what failed for a while): one the advised command defines anew is
        // seen from the next start. (A server's password is read at each
        // connection, unless the data source holds it; a system-wide
        // definition is root's to mend.)
        const QString& name = datasource::ProgramDataSource;
        const bool definedAnew = !datasource::isServer(name) || datasource::hidesSystemDefinition(name)
            || datasource::driverMissing(name)
            || (datasource::definedForThisUser(name)
                && (datasource::throughAnsiDriver(name) || datasource::holdsPassword(name)));
        tell(error.description() + QStringLiteral("\n\n") + datasource::setupAdvice(name, error.description())
             + (definedAnew ? QStringLiteral("\n\nOnce that is done, close the program and start it again.")
                            : QString()));
    }
}
