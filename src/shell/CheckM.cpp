#include "shell/CheckM.h"

#include "data/ChangeTracking.h"
#include "data/RunDatabase.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "shell/Backups.h"
#include "shell/MDIForm1.h"
#include "stores/UserStore.h"

namespace CheckM {

bool CheckLogin(const QString& user, const QString& shiftedPassword)
{
    if (user.isEmpty() || shiftedPassword.isEmpty()) {
        Messages::instance().inform(QStringLiteral("Fill Information"), QStringLiteral("Information"));
        return false;
    }

    const stores::UserStore users;
    connectx(users.connection());
    if (!users.isOpen())
        return false;  // the failed open has been shown to the operator

    bool allowed = false;
    CollectErrors errors;
    errors([&] {
        switch (users.check(user, shiftedPassword)) {
        case stores::Login::NotAuthorised:
            Messages::instance().inform(QStringLiteral("Not Authorised"), QStringLiteral("Information"));
            break;
        case stores::Login::CaseDiffers:
            break;
        case stores::Login::Allowed:
            allowed = true;
            // A database of an earlier version learns to count its changes
            // (lists are then read only when they changed); an archive is read only.
            if (rundatabase::archivePath().isEmpty())
                changes::track(users.connection());
            MDIForm1::instance()->show();
            break;
        }
    });
    users.close();
    errors.report();
    if (allowed) {
        shell::keepTheDaysBackup();
        shell::keepEachNewDaysBackup(MDIForm1::instance());
    }
    return allowed;
}

}  // namespace CheckM
