#include "data/Schema.h"

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

#include <QDir>
#include <QFileInfo>

namespace schema {

namespace {

// 16-bit columns are range-checked, since SQLite stores any integer in them.
QString smallint(const QString& column)
{
    return QStringLiteral("%1 SMALLINT CHECK (%1 BETWEEN -32768 AND 32767)").arg(column);
}

QString text(const QString& column)
{
    return column + QStringLiteral(" VARCHAR(255) COLLATE NOCASE");
}

QString real(const QString& column)
{
    return column + QStringLiteral(" DOUBLE");
}

// Columns 1 to 16 of the line layout (17 adds MRP).
QStringList lineColumns(bool withMrp)
{
    QStringList columns{smallint("BillNumber"), smallint("Serial"), text("Item"),
                        smallint("Quantity"), real("Amount"), real("TaxInPercentage"),
                        real("DiscountinPercentage"), text("CustomerName"),
                        text("CustomerAddress"), text("CustomerPhone"), text("Remark"),
                        text("CHARGES"), smallint("SN"), QStringLiteral("Date_ DATE"),
                        text("ItemCode"), text("Batch_Number")};
    if (withMrp)
        columns << real("MRP");
    return columns;
}

QString table(const QString& name, QStringList columns, const QString& constraint = {})
{
    if (!constraint.isEmpty())
        columns << constraint;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
}

QStringList partyTable(const QString& name)
{
    return {table(name, {smallint("SN") + " PRIMARY KEY", text("ITEM"), text("PARTNO"), text("REMARK")}),
            QStringLiteral("CREATE UNIQUE INDEX %1_Phone ON %1 (REMARK)").arg(name)};
}

QStringList pricedNameTable(const QString& name)
{
    return {table(name, {smallint("SN") + " PRIMARY KEY", text("TYPEOFCHARGES"),
                         real("VALUEofCHARGES"), text("EXTRA1"), smallint("EXTRA2")}),
            QStringLiteral("CREATE UNIQUE INDEX %1_Name ON %1 (TYPEOFCHARGES)").arg(name)};
}

QString shifted(const QString& password)
{
    QString result;
    for (QChar c : password)
        result += QChar(c.unicode() + 27);
    return result;
}

}  // namespace

QStringList statements()
{
    QStringList all;
    for (const QString& document : {QStringLiteral("asigncharges"), QStringLiteral("ItemIn")}) {
        all << table(document, lineColumns(true), QStringLiteral("PRIMARY KEY (BillNumber, Serial)"))
            << QStringLiteral("CREATE INDEX %1_Date ON %1 (Date_)").arg(document)
            << QStringLiteral("CREATE INDEX %1_ItemCode ON %1 (ItemCode)").arg(document);
    }
    all << table(QStringLiteral("Stock"), lineColumns(true))
        << QStringLiteral("CREATE UNIQUE INDEX Stock_Number ON Stock (BillNumber)")
        << QStringLiteral("CREATE UNIQUE INDEX Stock_Batch ON Stock (ItemCode, Item, Batch_Number)")
        << QStringLiteral("CREATE INDEX Stock_Item ON Stock (Item)");
    // A voucher's lines all carry serial 0, so (BillNumber, Serial) repeats here.
    all << table(QStringLiteral("ExpenditureTable"), lineColumns(false))
        << QStringLiteral("CREATE INDEX ExpenditureTable_Number ON ExpenditureTable (BillNumber)")
        << QStringLiteral("CREATE INDEX ExpenditureTable_Date ON ExpenditureTable (Date_)")
        << QStringLiteral("CREATE INDEX ExpenditureTable_Head ON ExpenditureTable (Item)");
    all << partyTable(QStringLiteral("Customer")) << partyTable(QStringLiteral("Supplier"))
        << partyTable(QStringLiteral("ExpenditurePerson"));
    all << pricedNameTable(QStringLiteral("Charges")) << pricedNameTable(QStringLiteral("ExpenditureHead"));
    all << table(QStringLiteral("UserTable"),
                 {QStringLiteral("UserSN INTEGER PRIMARY KEY"), text("userx"), text("pwd"), text("UserNote")})
        << QStringLiteral("CREATE UNIQUE INDEX UserTable_Name ON UserTable (userx)");
    all << table(QLatin1String(ShopHeaderTable),
                 {text("ShopName"), text("ShopAddress1"), text("ShopAddress2"), text("ShopCity"),
                  text("ShopPhone")});
    all << QStringLiteral("INSERT INTO UserTable VALUES(1, %1, %2, '-')")
               .arg(sql::text(QLatin1String(InitialUser)), sql::text(shifted(QLatin1String(InitialPassword))));
    return all;
}

QString sqliteConnectionString(const QString& path)
{
    // The data source's own settings (but its description), with the driver
    // named as a connection string names it.
    QStringList parts;
    for (const datasource::Setting& entry : datasource::sqliteSettings(path)) {
        if (entry.key == QLatin1String("Description"))
            continue;
        parts << (entry.key == QLatin1String("Driver") ? QStringLiteral("DRIVER") : entry.key)
                + QLatin1Char('=') + entry.value;
    }
    return parts.join(QLatin1Char(';'));
}

void createSqliteDatabase(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists())
        throw Failure(QStringLiteral("%1 already exists; it is left as it is.").arg(path));
    if (!QDir().mkpath(file.absolutePath()))
        throw Failure(QStringLiteral("Cannot create the folder %1.").arg(file.absolutePath()));

    try {
        Connection connection;
        connection.open(QStringLiteral("DRIVER=SQLite3;Database=%1").arg(file.absoluteFilePath()));
        Transaction transaction(connection);
        RecordSet statement;
        for (const QString& text : statements())
            statement.open(text, connection);
        transaction.commit();
    } catch (const Failure&) {
        QFile::remove(file.absoluteFilePath());
        throw;
    }
}

}  // namespace schema
