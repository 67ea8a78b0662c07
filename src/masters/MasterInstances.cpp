#include "masters/MasterInstances.h"

namespace masters {

namespace {

// Customers, suppliers and expenditure personnel send the same texts, each
// with its own table.
MasterInstance party(const QString& name, const QString& caption, const QString& title,
                     const QString& table, int gridNameWidth, const QString& listing = {})
{
    const QString select =
        QStringLiteral("Select  SN, ITEM as Name_, PARTNO as Address_,REMARK as Phone_ from ") + table;
    MasterInstance instance{name, caption, title, table, Shape::Party,
                            QStringLiteral("Name :"), QStringLiteral("Address :"), gridNameWidth,
                            QStringLiteral("Duplicate Phone No not allowed"), false, listing,
                            {}, {}, {}, {}, {}};
    instance.gridQuery = select + QStringLiteral(" order by sn desc");
    instance.searches = {{QStringLiteral("txtone"), select + QStringLiteral(" where ITEM Like ")},
                         {QStringLiteral("txttwo"), select + QStringLiteral(" where PARTNO Like ")},
                         {QStringLiteral("txtphone"), select + QStringLiteral(" where REMARK Like ")}};
    instance.loadQuery = QStringLiteral("Select  SN, ITEM , PARTNO ,REMARK  from ") + table
        + QStringLiteral(" where sn = ");
    instance.deleteStatement = QStringLiteral("Delete * from ") + table + QStringLiteral(" where SN = ");
    instance.nextNumberQuery = QStringLiteral("select max(SN) from ") + table;
    return instance;
}

MasterInstance items()
{
    const QString select =
        QStringLiteral("Select  SN, TYPEOFCHARGES as Item_Name, VALUEofCHARGES as Price from Charges");
    MasterInstance instance{QStringLiteral("ItemEntry"), QStringLiteral("Item Entry"),
                            QStringLiteral(": Item Entry :"), QStringLiteral("Charges"),
                            Shape::PricedName, QStringLiteral("Item Name :"), QStringLiteral("Cost :"),
                            4000, QStringLiteral("Duplicate Name"), false, QStringLiteral("Item"),
                            {}, {}, {}, {}, {}};
    instance.gridQuery = select + QStringLiteral(" order by sn desc");
    instance.searches = {{QStringLiteral("txtone"), select + QStringLiteral(" where TYPEOFCHARGES Like ")},
                         {QStringLiteral("txttwo"), select + QStringLiteral(" where VALUEofCHARGES Like ")}};
    instance.loadQuery =
        QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  from Charges where sn = ");
    instance.deleteStatement = QStringLiteral("Delete * from Charges where SN = ");
    instance.nextNumberQuery = QStringLiteral("select max(SN) from Charges");
    return instance;
}

MasterInstance expenditureHeads()
{
    const QString table = QStringLiteral("ExpenditureHead");
    const QString select =
        QStringLiteral("Select  SN, TYPEOFCHARGES as Item_Name, VALUEofCHARGES as Price From ");
    MasterInstance instance{QStringLiteral("Expenditure_Head"), QStringLiteral("Expenditure Head"),
                            QStringLiteral(": Expenditure Head Entry :"), table, Shape::PricedName,
                            QStringLiteral("Head Name :"), QStringLiteral("Cost :"), 4000,
                            QStringLiteral("Duplicate Name"), true, {},
                            {}, {}, {}, {}, {}};
    instance.gridQuery = select + table + QStringLiteral("  order by sn desc");
    instance.searches = {
        {QStringLiteral("txtone"),
         select + QStringLiteral(" ") + table + QStringLiteral("   where TYPEOFCHARGES Like ")},
        {QStringLiteral("txttwo"),
         select + QStringLiteral(" ") + table + QStringLiteral("   where VALUEofCHARGES Like ")}};
    instance.loadQuery =
        QStringLiteral("Select  SN, TYPEOFCHARGES , VALUEofCHARGES  From ") + table + QStringLiteral("  where sn = ");
    instance.deleteStatement = QStringLiteral("Delete * From  ") + table + QStringLiteral("   where SN = ");
    instance.nextNumberQuery = QStringLiteral("select max(SN) from ") + table;
    return instance;
}

}  // namespace

const QVector<MasterInstance>& masterInstances()
{
    static const QVector<MasterInstance> all{
        party(QStringLiteral("CustomerEnty"), QStringLiteral("Customer Entry"),
              QStringLiteral(": Customer Entry :"), QStringLiteral("Customer"), 4000,
              QStringLiteral("Customer")),
        items(),
        party(QStringLiteral("Supplier"), QStringLiteral("Supplier"), QStringLiteral(": Supplier Entry :"),
              QStringLiteral("Supplier"), 3000, QStringLiteral("Supplier")),
        party(QStringLiteral("ExpenditurePersonnelEntry"), QStringLiteral("Personnel Entry"),
              QStringLiteral(": Personnel Entry :"), QStringLiteral("ExpenditurePerson"), 3000),
        expenditureHeads(),
    };
    return all;
}

const MasterInstance* findMasterInstance(const QString& name)
{
    for (const MasterInstance& instance : masterInstances())
        if (instance.name == name)
            return &instance;
    return nullptr;
}

}  // namespace masters
