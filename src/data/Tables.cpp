#include "data/Tables.h"

#include "core/ShiftText.h"
#include "data/SqlText.h"

#include <QRegularExpression>

namespace schema {

namespace {

// 16-bit columns are range-checked, since SQLite stores any integer in them.
QString smallint(const QString& column)
{
    return QStringLiteral("%1 SMALLINT CHECK (%1 BETWEEN -32768 AND 32767)").arg(column);
}

QString text(const QString& column, Engine engine)
{
    // citext: the server's text type that compares without regard to case.
    return column + (engine == Engine::Postgres ? QStringLiteral(" CITEXT") : QStringLiteral(" VARCHAR(%1) COLLATE NOCASE").arg(TextWidth));
}

QString real(const QString& column, Engine engine)
{
    return column + (engine == Engine::Postgres ? QStringLiteral(" DOUBLE PRECISION") : QStringLiteral(" DOUBLE"));
}

// Columns 1 to 16 of the line layout (17 adds MRP).
QStringList lineColumns(bool withMrp, Engine engine)
{
    QStringList columns{smallint("BillNumber"), smallint("Serial"), text("Item", engine),
                        smallint("Quantity"), real("Amount", engine), real("TaxInPercentage", engine),
                        real("DiscountinPercentage", engine), text("CustomerName", engine),
                        text("CustomerAddress", engine), text("CustomerPhone", engine), text("Remark", engine),
                        text("CHARGES", engine), smallint("SN"), QStringLiteral("Date_ DATE"),
                        text("ItemCode", engine), text("Batch_Number", engine)};
    if (withMrp)
        columns << real("MRP", engine);
    return columns;
}

QString table(const QString& name, QStringList columns, const QString& constraint = {})
{
    if (!constraint.isEmpty())
        columns << constraint;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
}

QStringList partyTable(const QString& name, Engine engine)
{
    return {table(name, {smallint("SN") + " PRIMARY KEY", text("ITEM", engine), text("PARTNO", engine), text("REMARK", engine)}),
            QStringLiteral("CREATE UNIQUE INDEX %1_Phone ON %1 (REMARK)").arg(name)};
}

QStringList pricedNameTable(const QString& name, Engine engine)
{
    return {table(name, {smallint("SN") + " PRIMARY KEY", text("TYPEOFCHARGES", engine),
                         real("VALUEofCHARGES", engine), text("EXTRA1", engine), smallint("EXTRA2")}),
            QStringLiteral("CREATE UNIQUE INDEX %1_Name ON %1 (TYPEOFCHARGES)").arg(name)};
}

}  // namespace

QStringList statements(Engine engine)
{
    QStringList all;
    if (engine == Engine::Postgres)
        all << QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext");
    for (const QString& document : {QStringLiteral("asigncharges"), QStringLiteral("ItemIn")}) {
        all << table(document, lineColumns(true, engine), QStringLiteral("PRIMARY KEY (BillNumber, Serial)"))
            << QStringLiteral("CREATE INDEX %1_Date ON %1 (Date_)").arg(document)
            << QStringLiteral("CREATE INDEX %1_ItemCode ON %1 (ItemCode)").arg(document);
    }
    all << table(QStringLiteral("Stock"), lineColumns(true, engine))
        << QStringLiteral("CREATE UNIQUE INDEX Stock_Number ON Stock (BillNumber)")
        << QStringLiteral("CREATE UNIQUE INDEX Stock_Batch ON Stock (ItemCode, Item, Batch_Number)")
        << QStringLiteral("CREATE INDEX Stock_Item ON Stock (Item)");
    // A voucher's lines all carry serial 0, so (BillNumber, Serial) repeats here.
    all << table(QStringLiteral("ExpenditureTable"), lineColumns(false, engine))
        << QStringLiteral("CREATE INDEX ExpenditureTable_Number ON ExpenditureTable (BillNumber)")
        << QStringLiteral("CREATE INDEX ExpenditureTable_Date ON ExpenditureTable (Date_)")
        << QStringLiteral("CREATE INDEX ExpenditureTable_Head ON ExpenditureTable (Item)");
    all << partyTable(QStringLiteral("Customer"), engine) << partyTable(QStringLiteral("Supplier"), engine)
        << partyTable(QStringLiteral("ExpenditurePerson"), engine);
    all << pricedNameTable(QStringLiteral("Charges"), engine) << pricedNameTable(QStringLiteral("ExpenditureHead"), engine);
    all << table(QStringLiteral("UserTable"),
                 {QStringLiteral("UserSN INTEGER PRIMARY KEY"), text("userx", engine), text("pwd", engine), text("UserNote", engine)})
        << QStringLiteral("CREATE UNIQUE INDEX UserTable_Name ON UserTable (userx)");
    all << table(QLatin1String(ShopHeaderTable),
                 {text("ShopName", engine), text("ShopAddress1", engine), text("ShopAddress2", engine), text("ShopCity", engine),
                  text("ShopPhone", engine)});
    all << QStringLiteral("INSERT INTO UserTable VALUES(1, %1, %2, '-')")
               .arg(sql::text(QLatin1String(InitialUser)), sql::text(password::ShiftText(QLatin1String(InitialPassword), password::StoredShift)));
    return all;
}

namespace {

// The words of each column's definition, by table: its name (0), its type (1).
QHash<QString, QStringList> columnWords(int word)
{
    static const QRegularExpression table(QStringLiteral(R"(^CREATE TABLE (\w+) \((.*)\)$)"));
    QHash<QString, QStringList> tables;
    for (const QString& statement : statements()) {
        const auto match = table.match(statement);
        if (!match.hasMatch())
            continue;
        QStringList& words = tables[match.captured(1).toLower()];
        for (const QString& column : match.captured(2).split(QStringLiteral(", "))) {
            // The table's key comes last, after its columns.
            if (column.startsWith(QLatin1String("PRIMARY ")))
                break;
            words << column.section(QLatin1Char(' '), word, word);
        }
    }
    return tables;
}

}  // namespace

QHash<QString, QStringList> columnNames()
{
    return columnWords(0);
}

QHash<QString, QStringList> columnTypes()
{
    return columnWords(1);
}

}  // namespace schema
