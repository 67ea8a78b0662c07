#include "stores/UserStore.h"

#include "data/RecordSet.h"
#include "data/SqlText.h"

namespace stores {

UserStore::UserStore() : Store(SharedConnection{}) {}

Login UserStore::check(const QString& user, const QString& shiftedPassword) const
{
    RecordSet users;
    users.open(QStringLiteral("Select * from usertable where userx = ") + sql::text(user)
                   + QStringLiteral(" And pwd = ") + sql::text(shiftedPassword),
               connection());
    if (users.recordCount() < 1)
        return Login::NotAuthorised;
    const bool sameUser = users.field(1).toString().toUpper() == user.toUpper();
    const bool samePassword = users.field(2).toString() == shiftedPassword;
    return sameUser && samePassword ? Login::Allowed : Login::CaseDiffers;
}

bool UserStore::changePassword(const QString& user, const QString& shiftedPassword) const
{
    RecordSet update;
    update.open(QStringLiteral("Update UserTable set Userx = ") + sql::text(user) + QStringLiteral(", pwd = ")
                    + sql::text(shiftedPassword) + QStringLiteral(" where Userx = ") + sql::text(user),
                connection());
    return update.rowsAffected() > 0;
}

}  // namespace stores
