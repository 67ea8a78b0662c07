#include "shell/CheckM.h"

#include "core/Failure.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "shell/MDIForm1.h"

namespace CheckM {

QString ShopName;
QString ShopAddress1;
QString ShopAddress2;
QString ShopCity;
QString ShopPhone;

bool CheckLogin(const QString& user, const QString& shiftedPassword)
{
    if (user.isEmpty() || shiftedPassword.isEmpty()) {
        Messages::instance().inform(QStringLiteral("Fill Information"), QStringLiteral("Information"));
        return false;
    }

    Connectionx::OpenSharedConnection();
    Connection& connection = Connectionx::sharedConnection();
    if (!connection.isOpen())
        return false;  // the failed open has been shown to the operator

    bool allowed = false;
    CollectErrors errors;
    errors([&] {
        QString& statement = Connectionx::sharedSql();
        statement = QStringLiteral("Select * from usertable where userx = ") + sql::text(user)
                    + QStringLiteral(" And pwd = ") + sql::text(shiftedPassword);
        RecordSet& users = Connectionx::sharedRecordSet();
        users.close();
        users.open(statement, connection);
        if (users.recordCount() < 1) {
            Messages::instance().inform(QStringLiteral("Not Authorised"), QStringLiteral("Information"));
            return;
        }
        // The database compares text without regard to case: the name may
        // differ in case, the password must not.
        const bool sameUser = users.field(1).toString().toUpper() == user.toUpper();
        const bool samePassword = users.field(2).toString() == shiftedPassword;
        if (sameUser && samePassword) {
            allowed = true;
            MDIForm1::instance()->show();
        }
    });
    Connectionx::sharedRecordSet().close();
    connection.close();
    errors.report();
    return allowed;
}

void LoadShopHeader()
{
    ShopName = QStringLiteral("YOUR SHOP NAME");
    ShopAddress1 = QStringLiteral("Address line 1");
    ShopAddress2 = QStringLiteral("Address line 2");
    ShopCity = QStringLiteral("City");
    ShopPhone = QStringLiteral("Phone");

    // The letterhead is the shop's own, kept in the database (billdb shop); a
    // database without it prints the placeholders above. A failure here is
    // met again, and reported, by the print that follows.
    stopAtFirstError([] {
        Connection connection;
        connection.open();
        RecordSet header;
        header.open(QStringLiteral("Select ShopName, ShopAddress1, ShopAddress2, ShopCity, ShopPhone from %1")
                        .arg(QLatin1String(schema::ShopHeaderTable)),
                    connection);
        if (header.eof())
            return;
        ShopName = header.field(0).toString();
        ShopAddress1 = header.field(1).toString();
        ShopAddress2 = header.field(2).toString();
        ShopCity = header.field(3).toString();
        ShopPhone = header.field(4).toString();
    });
}

shop::Letterhead loadLetterhead()
{
    LoadShopHeader();
    return {ShopName, ShopAddress1, ShopAddress2, ShopCity, ShopPhone};
}

}  // namespace CheckM
