#pragma once

#include "stores/Store.h"

// The users of UserTable: the login check and the password change, on the
// shared connection. Passwords are given as stored (password::ShiftText).
namespace stores {

enum class Login {
    Allowed,
    NotAuthorised,  // no user has that name and password
    // The database matched the row only by ignoring case: the name may
    // differ in case, the password must not.
    CaseDiffers,
};

class UserStore : public Store {
public:
    UserStore();

    Login check(const QString& user, const QString& shiftedPassword) const;
    // The user's new password, in the transaction open on the connection;
    // false when there is no such user.
    bool changePassword(const QString& user, const QString& shiftedPassword) const;
};

}  // namespace stores
