#include "shell/CheckM.h"

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "kit/Failure.h"

namespace CheckM {

QString ShopName;
QString ShopAddress1;
QString ShopAddress2;
QString ShopCity;
QString ShopPhone;

QString ShiftText(const QString& text, qint16 key)
{
    QString shifted;
    shifted.reserve(text.size());
    for (const QChar c : text) {
        const int code = c.unicode() + key;
        if (c.unicode() > 255 || code < 0 || code > 255)
            throw Failure(QStringLiteral("The character \"%1\" cannot be used in a password.").arg(c));
        shifted += QChar(code);
    }
    return shifted;
}

void LoadShopHeader()
{
    ShopName = QStringLiteral("YOUR SHOP NAME");
    ShopAddress1 = QStringLiteral("Address line 1");
    ShopAddress2 = QStringLiteral("Address line 2");
    ShopCity = QStringLiteral("City");
    ShopPhone = QStringLiteral("Phone");

    // The letterhead is the shop's own, kept in the database (billdb shop);
    // a database without it prints the placeholders above.
    try {
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
    } catch (const Failure&) {
        // The print that follows meets the same failure and reports it.
    }
}

}  // namespace CheckM
