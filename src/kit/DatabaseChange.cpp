#include "kit/DatabaseChange.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "kit/FailureStyles.h"

namespace change {

void together(Connection& connection, const std::function<void()>& statements, const TellDuplicate& tellDuplicate)
{
    if (!connection.isOpen())
        throw Failure(QStringLiteral("The connection is not open."));
    const failurestyles::NoticeScope scope;
    try {
        Transaction transaction(connection);
        statements();
        transaction.commit();
    } catch (const Failure& failure) {
        // The transaction has been rolled back: nothing was changed.
        const auto* refused = dynamic_cast<const DbError*>(&failure);
        if (failure.unavailable())
            failurestyles::NoticeScope::tell(failure.description());
        else if (tellDuplicate && refused && refused->kind() == DbError::Kind::Duplicate)
            tellDuplicate();
        else
            failurestyles::NoticeScope::tell(refusalNotice(failure));
        throw;
    }
    failurestyles::NoticeScope::noteStoredChange();
}

QString refusalNotice(const Failure& failure)
{
    return QStringLiteral("The change could not be made:\n\n") + failure.description()
        + QStringLiteral("\n\nNothing was changed.");
}

}  // namespace change
